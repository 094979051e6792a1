// The texts of the desktop program's start options.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// The help box the "/help" switch opens; its lines are separated by CR LF.
inline constexpr Phrase kStartHelpTitle{"Start options help", "Справка опций запуска"};
inline constexpr Phrase kStartHelpText{
    "/h, /?, /help - start options help\r\n"
    "/l (rus) - language\r\n"
    "/nm - netmask mode\r\n"
    "/pa - partial address matching mode\r\n"
    "/pp - partial port matching mode\r\n"
    "/skipicmp - ignore ICMP with partial match",
    "/h, /?, /help - справка параметров запуска\r\n"
    "/l (rus) - язык\r\n"
    "/nm - режим netmask\r\n"
    "/pa - режим частичного совпадения адресов\r\n"
    "/pp - режим частичного совпадения портов\r\n"
    "/skipicmp - игнорировать ICMP при частичном совпадении"};

}  // namespace kerbwise::texts

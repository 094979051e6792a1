#pragma once

#include "text/phrase.h"

// The texts of the exact answers over sets of packets.
namespace kerbwise::texts {

// %1: the node cap.
inline constexpr Phrase kPacketSetsTooLarge{
    "The packet sets grew past %1 diagram nodes; the run was stopped",
    "Множества пакетов превысили %1 узлов диаграммы; расчёт остановлен"};

// %1: what the engine could not read in the entry.
inline constexpr Phrase kEntryNotExact{"the entry cannot be read exactly: %1",
                                       "запись нельзя прочесть точно: %1"};

}  // namespace kerbwise::texts

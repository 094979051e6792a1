#include "shell/start_options.h"

#include "rules/primitives.h"

namespace kerbwise {

StartOptions ReadStartOptions(const std::vector<std::string>& arguments) {
  StartOptions start;
  CheckOptions& options = start.Options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string word = ToLowerAscii(arguments[i]);
    if (word == "/l") {
      if (i + 1 < arguments.size() && ToLowerAscii(arguments[i + 1]) == "rus") {
        options.TextLanguage = Language::Russian;
      } else {
        start.HelpWanted = true;
      }
    } else if (word == "/nm") {
      options.MaskType = MaskForm::Netmask;
    } else if (word == "/pa") {
      options.PartialAddresses = true;
    } else if (word == "/pp") {
      options.PartialPortsOption = true;
    } else if (word == "/skipicmp") {
      options.IgnoreIcmp = true;
    } else if (word == "/help" || word == "/h" || word == "/?") {
      start.HelpWanted = true;
    }
  }
  return start;
}

StartHelp StartOptionsHelp(bool russian) {
  if (russian) {
    return {"Справка опций запуска",
            "/h, /?, /help - справка параметров запуска\r\n"
            "/l (rus) - язык\r\n"
            "/nm - режим netmask\r\n"
            "/pa - режим частичного совпадения адресов\r\n"
            "/pp - режим частичного совпадения портов\r\n"
            "/skipicmp - игнорировать ICMP при частичном совпадении"};
  }
  return {"Start options help",
          "/h, /?, /help - start options help\r\n"
          "/l (rus) - language\r\n"
          "/nm - netmask mode\r\n"
          "/pa - partial address matching mode\r\n"
          "/pp - partial port matching mode\r\n"
          "/skipicmp - ignore ICMP with partial match"};
}

}  // namespace kerbwise

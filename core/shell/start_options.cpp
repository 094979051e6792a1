#include "shell/start_options.h"

#include "rules/primitives.h"
#include "text/shell_texts.h"

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

StartHelp StartOptionsHelp(Language language) {
  return {std::string(texts::kStartHelpTitle.In(language)),
          std::string(texts::kStartHelpText.In(language))};
}

}  // namespace kerbwise

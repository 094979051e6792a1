#pragma once

#include <string>
#include <vector>

#include "rules/check_options.h"
#include "text/language.h"

namespace kerbwise {

// What the desktop program's command line asks for.
struct StartOptions {
  CheckOptions Options;  // MaskType, the partial-matching options and TextLanguage
  bool HelpWanted = false;
};

// Reads the desktop switches, each compared without regard to letter case:
// "/l rus" (Russian; "/l" followed by anything else, or by nothing, asks for
// help), "/nm", "/pa", "/pp", "/skipicmp", and "/help", "/h", "/?". The word
// after "/l" is examined in its turn like any other; unknown words are
// ignored. `arguments` excludes the program name.
StartOptions ReadStartOptions(const std::vector<std::string>& arguments);

// The start options help box.
struct StartHelp {
  std::string Title;
  std::string Text;  // lines separated by CR LF
};
StartHelp StartOptionsHelp(Language language);

}  // namespace kerbwise

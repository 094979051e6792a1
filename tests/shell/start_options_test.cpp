#include "shell/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kerbwise {
namespace {

using Args = std::vector<std::string>;

TEST(StartOptions, LanguageAndHelpSwitches) {
  // The arguments, then whether they ask for Russian and for the help text.
  const std::tuple<Args, bool, bool> cases[] = {
      {{}, false, false},       {{"/L", "RUS"}, true, false}, {{"/l", "Rus"}, true, false},
      {{"/l"}, false, true},    {{"/l", "eng"}, false, true}, {{"/l", "rus", "/?"}, true, true},
      {{"/HELP"}, false, true}, {{"/h"}, false, true},        {{"rus", "/x", "-l"}, false, false}};
  for (const auto& [arguments, russian, help] : cases) {
    const StartOptions start = ReadStartOptions(arguments);
    EXPECT_EQ((start.Options.TextLanguage == Language::Russian), russian)
        << ::testing::PrintToString(arguments);
    EXPECT_EQ(start.HelpWanted, help) << ::testing::PrintToString(arguments);
  }
}

TEST(StartOptions, MatchingSwitchesInAnyLetterCase) {
  const StartOptions start = ReadStartOptions({"/NM", "/pa", "unknown", "/Pp", "/skipICMP"});
  EXPECT_EQ(start.Options.MaskType, MaskForm::Netmask);
  EXPECT_TRUE(start.Options.PartialAddresses);
  EXPECT_TRUE(start.Options.PartialPortsOption);
  EXPECT_TRUE(start.Options.IgnoreIcmp);
  EXPECT_FALSE(start.HelpWanted);
}

}  // namespace
}  // namespace kerbwise

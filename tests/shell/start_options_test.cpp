#include "shell/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

using Args = std::vector<std::string>;

TEST(StartOptions, NoArgumentsGiveEnglishWildcardAndNoPartialMatching) {
  const StartOptions start = ReadStartOptions({});
  EXPECT_FALSE(start.Options.Russian);
  EXPECT_FALSE(start.HelpWanted);
  EXPECT_EQ(start.Options.MaskType, MaskForm::Wildcard);
  EXPECT_FALSE(start.Options.PartialAddresses || start.Options.PartialPortsOption ||
               start.Options.IgnoreIcmp);
}

TEST(StartOptions, LanguageAndHelpSwitches) {
  struct Case {
    Args Arguments;
    bool Russian;
    bool Help;
  };
  const std::vector<Case> cases{
      {{"/L", "RUS"}, true, false}, {{"/l", "Rus"}, true, false},        {{"/l"}, false, true},
      {{"/l", "eng"}, false, true}, {{"/l", "rus", "/?"}, true, true},   {{"/HELP"}, false, true},
      {{"/h"}, false, true},        {{"rus", "/x", "-l"}, false, false},
  };
  for (const Case& c : cases) {
    const StartOptions start = ReadStartOptions(c.Arguments);
    EXPECT_EQ(start.Options.Russian, c.Russian) << c.Arguments.front();
    EXPECT_EQ(start.HelpWanted, c.Help) << c.Arguments.front();
  }
}

TEST(StartOptions, MatchingSwitchesTogether) {
  const StartOptions start = ReadStartOptions({"/NM", "/pa", "unknown", "/Pp", "/skipICMP"});
  EXPECT_EQ(start.Options.MaskType, MaskForm::Netmask);
  EXPECT_TRUE(start.Options.PartialAddresses);
  EXPECT_TRUE(start.Options.PartialPortsOption);
  EXPECT_TRUE(start.Options.IgnoreIcmp);
  EXPECT_FALSE(start.HelpWanted);
}

TEST(StartOptions, HelpTextInBothLanguages) {
  EXPECT_EQ(StartOptionsHelp(false).Title, "Start options help");
  EXPECT_EQ(StartOptionsHelp(true).Title, "Справка опций запуска");
  EXPECT_EQ(StartOptionsHelp(false).Text.substr(0, 36), "/h, /?, /help - start options help\r\n");
}

}  // namespace
}  // namespace kerbwise

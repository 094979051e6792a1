#include "presentation/analysis_report.h"

#include <gtest/gtest.h>

#include "../analysis/analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using Lines = std::vector<std::string>;

// One blank per level; past 16 blanks a line says its level instead of drifting out of sight.
TEST(AnalysisReport, LinesIndentByLevelAndStayInSightWhenDeep) {
  const auto text = [](std::uint64_t level) {
    return ReportLineText({.ListIndex = 2, .Entry = "30 permit ip any any", .Level = level});
  };
  EXPECT_EQ(text(2), "  3: 30 permit ip any any");
  EXPECT_EQ(text(16), std::string(16, ' ') + "3: 30 permit ip any any");
  EXPECT_EQ(text(300), std::string(16, ' ') + "[300] 3: 30 permit ip any any");
}

TEST(AnalysisReport, ErrorLineInEitherLanguage) {
  // The English line is the analyze command's error test.
  const AnalysisResult russian = Analyse({"permit tcp any any", "permit udp any any", "deny bogus"},
                                         {.TextLanguage = Language::Russian});
  EXPECT_EQ(AnalysisResultLines(russian, Language::Russian),
            Lines{"Строка: 30 deny bogus: ACL не опознан"});
  EXPECT_FALSE(NoRelationsMessage(russian, Language::English));
}

TEST(AnalysisReport, NoRelationsMessage) {
  const AnalysisResult none = Analyse({"permit tcp any any", "permit udp any any"});
  EXPECT_TRUE(AnalysisResultLines(none, Language::English).empty());
  const auto message = NoRelationsMessage(none, Language::English);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Caption, "All is ok !");
  EXPECT_EQ(message->Text, "There are no excess or conflicting rules");
}

}  // namespace
}  // namespace kerbwise

#include "presentation/analysis_report.h"

#include <gtest/gtest.h>

#include "../analysis/analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using Lines = std::vector<std::string>;

TEST(AnalysisReport, LinesIndentByLevelAndStayInSightWhenDeep) {
  const AnalysisResult nested = Analyse({"permit tcp host 10.0.0.1 any eq 80",
                                         "permit tcp 10.0.0.0 0.0.0.255 any", "permit ip any any"});
  Lines text;
  for (const AnalysisLine& line : nested.Lines) text.push_back(ReportLineText(line));
  EXPECT_EQ(text, (Lines{"  1: 10 permit tcp host 10.0.0.1 any eq 80",
                         " 2: 20 permit tcp 10.0.0.0 0.0.0.255 any", "3: 30 permit ip any any"}));
  EXPECT_TRUE(StyleOf(nested.Lines[1]).Bold);
  EXPECT_FALSE(StyleOf(nested.Lines[0]).Bold);

  // Past 16 blanks a line says its level instead of drifting out of sight.
  const std::string sixteen(16, ' ');
  EXPECT_EQ(ReportLineText({.ListIndex = 0, .Entry = "10 x", .Level = 16}), sixteen + "1: 10 x");
  EXPECT_EQ(ReportLineText({.ListIndex = 0, .Entry = "10 x", .Level = 300}),
            sixteen + "[300] 1: 10 x");
}

TEST(AnalysisReport, NumberPanePadsToTheListsWidth) {
  EXPECT_EQ(AnalysisNumberPane({.ListSize = 100, .LinesReached = 2}), (Lines{"001", "002"}));
  EXPECT_TRUE(AnalysisNumberPane({.ListSize = 1}).empty());
}

TEST(AnalysisReport, ErrorLineInEitherLanguage) {
  const AnalysisResult result = Analyse({"permit foo bar", "permit tcp any any"});
  EXPECT_EQ(AnalysisResultLines(result, Language::English),
            Lines{"Line: 20 permit tcp any any: The condition is not recognized"});
  EXPECT_EQ(AnalysisResultColour(result), ResultColour::Tooltip);
  EXPECT_FALSE(NoRelationsMessage(result, Language::English));

  const AnalysisResult russian = Analyse({"permit tcp any any", "permit udp any any", "deny bogus"},
                                         {.TextLanguage = Language::Russian});
  EXPECT_EQ(AnalysisResultLines(russian, Language::Russian),
            Lines{"Строка: 30 deny bogus: ACL не опознан"});
}

TEST(AnalysisReport, NoRelationsMessage) {
  const AnalysisResult none = Analyse({"permit tcp any any", "permit udp any any"});
  EXPECT_TRUE(AnalysisResultLines(none, Language::English).empty());
  EXPECT_EQ(AnalysisResultColour(none), ResultColour::Workspace);
  const auto message = NoRelationsMessage(none, Language::English);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Caption, "All is ok !");
  EXPECT_EQ(message->Text, "There are no excess or conflicting rules");
  EXPECT_EQ(NoRelationsMessage(none, Language::Russian)->Text,
            "Избыточных или конфликтующих правил нет");
}

}  // namespace
}  // namespace kerbwise

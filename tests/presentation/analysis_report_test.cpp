#include "presentation/analysis_report.h"

#include <gtest/gtest.h>

#include "../analysis/analysis_fixture.h"
#include "presentation/analysis_groups.h"
#include "presentation/analysis_hits.h"

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

// The English line is the analyze command's error test; the message of a list
// without relations is the analysis window's.
TEST(AnalysisReport, ErrorLineInEitherLanguage) {
  const AnalysisResult russian = Analyse({"permit tcp any any", "permit udp any any", "deny bogus"},
                                         {.TextLanguage = Language::Russian});
  EXPECT_EQ(AnalysisResultLines(russian, Language::Russian),
            Lines{"Строка: 30 deny bogus: ACL не опознан"});
  EXPECT_FALSE(NoRelationsMessage(russian, Language::English));
}

// Line 1 covers line 3; line 4 equals line 1, whose group it heads; line 5
// covers them all.
TEST(AnalysisReport, HitMarks) {
  const Lines entries{"permit tcp 10.0.0.0 0.0.0.255 any", "permit udp host 10.0.0.1 any",
                      "permit tcp host 10.0.0.1 any eq 80", "permit tcp 10.0.0.0 0.0.0.255 any",
                      "permit ip any any"};
  const AnalysisResult result = Analyse(entries);
  ASSERT_EQ(result.Lines.size(), 5U);
  const auto marks = [&](const HitCounts& hits) {
    LineRecognizer recognizer;
    const HitMarks marked = MarkHits(result, testing::Numbered(entries), hits, {}, recognizer);
    Lines seen;
    for (const AnalysisLine& line : result.Lines) {
      seen.emplace_back(HitMarkName(marked.MarkOf(line)));
    }
    return seen;
  };
  // A hit entry covered by an earlier one is marked, also when the analysis
  // grouped the two the other way round; covered only by a later one (which
  // its hits would go to) it is not. Zero is marked wherever it is.
  EXPECT_EQ(marks({5, 0, 7, 9, 2}),
            (Lines{"", "no_hits", "covered_yet_hit", "covered_yet_hit", ""}));
  EXPECT_EQ(marks({}), (Lines(5)));  // a list without counters
  EXPECT_EQ(marks({std::nullopt, 3, 0}), (Lines{"", "", "no_hits", "", ""}));

  LineRecognizer recognizer;
  // The English mark in its report line is the analyze command's test.
  const HitMarks marked = MarkHits(result, testing::Numbered(entries), {5, 0, 7}, {}, recognizer);
  EXPECT_EQ(marked.TextOf(result.Lines[1], Language::Russian), " [попаданий нет]");
}

}  // namespace
}  // namespace kerbwise

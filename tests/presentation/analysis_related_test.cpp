#include "presentation/analysis_related.h"

#include <gtest/gtest.h>

#include "../analysis/analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using Indexes = std::vector<std::size_t>;

std::vector<std::size_t> ReportLines(const RelatedView& view) {
  std::vector<std::size_t> lines;
  for (const RelatedLine& line : view.Lines) lines.push_back(line.ReportLine);
  return lines;
}

// Line 1 lies in two groups that do not touch: the source host's and the
// destination host's.
TEST(RelatedLines, OfAHeadAndOfAMemberOfTwoGroups) {
  const AnalysisResult result =
      Analyse({"permit tcp host 10.0.0.1 host 10.0.0.2 eq 80", "permit tcp host 10.0.0.1 any",
               "permit tcp any host 10.0.0.2"});
  const RelatedView head = RelatedLinesOf(result, 1, false);
  EXPECT_EQ(ReportLines(head), (Indexes{0, 1}));
  ASSERT_EQ(head.Lines.size(), 2u);
  EXPECT_TRUE(head.Lines[1].Underlined && head.Lines[1].Style.Bold);
  EXPECT_FALSE(head.Lines[0].Underlined || head.Lines[0].Style.Bold);
  EXPECT_TRUE(RelatedLinesOf(result, 3, false).Lines.empty());

  const RelatedView member = RelatedLinesOf(result, 0, false);
  EXPECT_EQ(ReportLines(member), (Indexes{0, 1, 2}));
  EXPECT_EQ(member.Columns, (std::vector<std::uint32_t>{1, 2}));
  // Line 1 (a blank of indentation, then 50 characters) in two halves of 25;
  // the heads whole, each in its column's colour.
  const Rgb blue{0, 0, 255}, fuchsia{255, 0, 255};
  EXPECT_EQ(ColourRuns(member.Lines[0].Colouring, 51),
            (std::vector<ColourRun>{{1, 25, blue}, {26, 25, fuchsia}}));
  EXPECT_EQ(ColourRuns(member.Lines[1].Colouring, 34), (std::vector<ColourRun>{{0, 34, blue}}));
  EXPECT_EQ(ColourRuns(member.Lines[2].Colouring, 34), (std::vector<ColourRun>{{0, 34, fuchsia}}));
  // The last part takes what the division leaves over.
  EXPECT_EQ(ColourRuns(member.Lines[0].Colouring, 52)[1], (ColourRun{26, 26, fuchsia}));
}

TEST(RelatedLines, HierarchicalViewOrdersByLevel) {
  const AnalysisResult result = Analyse({"permit tcp host 10.0.0.1 any eq 80",
                                         "permit tcp 10.0.0.0 0.0.0.255 any", "permit ip any any"});
  const RelatedView plain = RelatedLinesOf(result, 2, false);
  EXPECT_EQ(ReportLines(plain), (Indexes{0, 1, 2}));
  // Line 2 heads a group but is itself a member of the column group 2.
  EXPECT_EQ(plain.Columns, std::vector<std::uint32_t>{2});
  EXPECT_EQ(ReportLines(RelatedLinesOf(result, 2, true)), (Indexes{2, 1, 0}));
}

// A deep line's colour starts past its level marker, at its index.
TEST(RelatedLines, DeepMemberColouredPastItsLevel) {
  const AnalysisResult deep = Analyse(std::vector<std::string>(20, "permit tcp any any"));
  const RelatedView view = RelatedLinesOf(deep, 0, false);
  ASSERT_FALSE(view.Lines.empty());
  const std::string text = ReportLineText(deep.Lines[0]);
  const std::vector<ColourRun> runs = ColourRuns(view.Lines[0].Colouring, text.size());
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(text.substr(runs.front().Start, 2), "1:");
}

}  // namespace
}  // namespace kerbwise

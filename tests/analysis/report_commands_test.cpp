#include "analysis/report_commands.h"

#include <gtest/gtest.h>

#include "analysis/related_lines.h"
#include "analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using Members = std::vector<std::uint32_t>;
using Lines = std::vector<std::string>;

// Line 1 lies in two groups that do not touch: the source host's and the
// destination host's.
const Lines kTwoGroups = {"permit tcp host 10.0.0.1 host 10.0.0.2 eq 80",
                          "permit tcp host 10.0.0.1 any", "permit tcp any host 10.0.0.2"};

// A group nested in another: 1 inside 2, both inside 3.
const Lines kNested = {"permit tcp host 10.0.0.1 any eq 80", "permit tcp 10.0.0.0 0.0.0.255 any",
                       "permit ip any any"};

TEST(ShowRelatedLines, RelatedLinesOfAHeadAndOfAMemberOfTwoGroups) {
  const AnalysisResult result = Analyse(kTwoGroups);
  std::ptrdiff_t selected = -1;
  const auto head = ShowRelatedLines(result, 1, false, false, selected);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->RelatedMap, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(head->Underlined, (std::vector<bool>{false, true}));
  EXPECT_EQ(head->Bold, (std::vector<bool>{false, true}));
  EXPECT_EQ(selected, 1);
  // The same line again changes nothing unless a refresh is forced.
  EXPECT_FALSE(ShowRelatedLines(result, 1, false, false, selected));
  EXPECT_FALSE(ShowRelatedLines(result, 3, false, true, selected));

  const auto member = ShowRelatedLines(result, 0, false, false, selected);
  ASSERT_TRUE(member);
  EXPECT_EQ(member->RelatedMap, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(member->UnderlineRemoved, std::optional<std::size_t>(1));
  EXPECT_EQ(member->RelatedEnds.front(), 0u);
  EXPECT_EQ(member->RelatedEnds.back(), result.Lines.back().TextEnd);
  // A line in two column groups is coloured in halves.
  EXPECT_EQ(member->Columns, (std::vector<std::uint32_t>{1, 2}));
  const Rgb blue{0, 0, 255}, fuchsia{255, 0, 255};
  EXPECT_EQ(member->ColumnColours, (std::vector<Rgb>{blue, fuchsia}));
  // Line 1 (a blank of indentation, then 50 characters) in two halves of 25 in both panes;
  // the heads, 34 characters each at 52 and 87 (a line break after each line), whole.
  using P = AnalysisPane;
  EXPECT_EQ(member->Spans, (std::vector<ColouredSpan>{{P::Related, 1, 25, blue},
                                                      {P::Report, 1, 25, blue},
                                                      {P::Related, 26, 25, fuchsia},
                                                      {P::Report, 26, 25, fuchsia},
                                                      {P::Related, 52, 34, blue},
                                                      {P::Report, 52, 34, blue},
                                                      {P::Related, 87, 34, fuchsia},
                                                      {P::Report, 87, 34, fuchsia}}));
}

TEST(ShowRelatedLines, HierarchicalViewOrdersByLevel) {
  const AnalysisResult result = Analyse(kNested);
  std::ptrdiff_t selected = -1;
  const auto plain = ShowRelatedLines(result, 2, false, false, selected);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->RelatedMap, (std::vector<std::size_t>{0, 1, 2}));
  // Line 2 heads a group but is itself a member of the column group 2.
  EXPECT_EQ(plain->Columns, std::vector<std::uint32_t>{2});
  const auto hierarchical = ShowRelatedLines(result, 2, true, true, selected);
  ASSERT_TRUE(hierarchical);
  EXPECT_EQ(hierarchical->RelatedMap, (std::vector<std::size_t>{2, 1, 0}));
}

TEST(CopyCommands, CopyAllTakesTheListLines) {
  EXPECT_EQ(CopyAll({"  1: 10 a: b", "no separator"}), Lines{"10 a: b"});
  EXPECT_EQ(CopyAllAndClose({"x: y"}, {"no separator", " 3: 30 a"}),
            (Lines{"y", "---------------", "30 a"}));
  EXPECT_EQ(CopyAllAndClose({"x: y"}, {}), (Lines{"y", "---------------"}));
}

TEST(CopyCommands, CopyNoModesOverTheWholeReport) {
  const AnalysisResult result = Analyse(kNested);
  const std::size_t all = result.Lines.back().TextEnd;
  const Lines noAll = {"no " + kNested[0], "no " + kNested[1], "no " + kNested[2]};
  EXPECT_EQ(CopyNo(result, CopyNoMode::All, 0, all).Lines, noAll);
  EXPECT_EQ(CopyNo(result, CopyNoMode::Redundant, 0, all).Lines, (Lines{noAll[0], noAll[1]}));
  EXPECT_EQ(CopyNo(result, CopyNoMode::RedundantNotDerived, 0, all).Lines, Lines{noAll[0]});

  // Lines covered with an incomplete set of ports are never redundant.
  const AnalysisResult italic = Analyse(
      {"permit tcp any any range 70 90", "permit tcp any any range 80 100"}, {.PortsInSet = false});
  EXPECT_TRUE(CopyNo(italic, CopyNoMode::Redundant, 0, italic.Lines.back().TextEnd).Lines.empty());
}

TEST(CopyCommands, SelectionAndCaretPickTheLinesTouched) {
  const AnalysisResult result = Analyse(kNested);
  const std::size_t secondStart = result.Lines[0].TextEnd;
  EXPECT_EQ(CopyNo(result, CopyNoMode::All, secondStart + 3, 0).Lines, Lines{"no " + kNested[1]});
  EXPECT_TRUE(CopyNo(result, CopyNoMode::All, secondStart, 0).Lines.empty());
  EXPECT_EQ(CopyNo(result, CopyNoMode::All, secondStart - 2, 4).Lines.size(), 2u);
  // A selection past the end of the text touches nothing, however far out.
  for (const std::size_t start : {std::size_t{1000}, std::size_t{PTRDIFF_MAX}, SIZE_MAX}) {
    EXPECT_TRUE(CopyNo(result, CopyNoMode::All, start, 2).Lines.empty()) << start;
  }
}

TEST(CopyCommands, EntriesFromObjectGroupsAreNotCopied) {
  LineRecognizer recognizer;
  testing::ScriptedAnswers answers;
  const AnalysisResult result = AnalyseList(
      {"010 permit tcp host 10.0.0.1 any", "020 permit tcp any any"}, {}, recognizer, answers);
  const CopyNoResult copied = CopyNo(result, CopyNoMode::All, 0, result.Lines.back().TextEnd);
  EXPECT_TRUE(copied.ZeroNumberedSkipped);
  EXPECT_TRUE(copied.Lines.empty());
  EXPECT_EQ(ZeroNumberedNotice(false),
            "Rules whose numbers begin with \"0\" will not be copied.\r\nNotify in the future?");

  std::ptrdiff_t selected = -1;
  const auto view = ShowRelatedLines(result, 1, false, false, selected);
  ASSERT_TRUE(view);
  EXPECT_TRUE(CopyNoRelated(*view, 0, view->RelatedEnds.back()).ZeroNumberedSkipped);
}

TEST(HideDerivedLines, GroupLeavesAndLaterGroupsMoveDown) {
  AnalysisResult result =
      Analyse({"permit tcp host 10.0.0.1 any eq 80", "permit tcp host 10.0.0.1 any",
               "permit udp host 10.0.0.3 any", "permit udp any any"});
  ASSERT_EQ(result.Lines.size(), 4u);
  EXPECT_FALSE(CanHideDerivedLines(result, 0));
  EXPECT_FALSE(HideDerivedLines(result, 0));
  ASSERT_TRUE(CanHideDerivedLines(result, 1));
  ASSERT_TRUE(HideDerivedLines(result, 1));

  EXPECT_EQ(result.ReportText,
            (Lines{" 3: 30 permit udp host 10.0.0.3 any", "4: 40 permit udp any any"}));
  EXPECT_EQ(result.Lines[0].MarkedMembers(), Members{1});
  EXPECT_EQ(result.Lines[1].Group, 1u);
  ASSERT_EQ(result.Groups.size(), 1u);
  EXPECT_EQ(result.Groups[0].Head, 2u);
  EXPECT_EQ(result.Lines[0].TextEnd, result.ReportText[0].size() + 1);
}

TEST(HideDerivedLines, HeadInAnotherGroupStaysAsAPlainMember) {
  AnalysisResult result = Analyse(kNested);
  ASSERT_TRUE(HideDerivedLines(result, 1));  // line 2 heads group 1
  ASSERT_EQ(result.ReportText.size(), 3u);   // line 1 is still in group 2, now 1
  EXPECT_EQ(result.Lines[0].MarkedMembers(), Members{1});
  EXPECT_EQ(result.Lines[1].MarkedMembers(), Members{1});
  EXPECT_FALSE(IsBold(result.Lines[1]));
  EXPECT_EQ(result.Lines[2].Group, 1u);
}

// The two titles the window blinks between while only conflicts are shown.
TEST(BlinkTitle, AlternatesBetweenTheTwoTitles) {
  int count = 0;
  EXPECT_EQ(BlinkTitle(count).Title, "Result: CONFLICTS ONLY");
  EXPECT_EQ(BlinkTitle(count).Title, "Result");
}

}  // namespace
}  // namespace kerbwise

#include "analysis/report_commands.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using Groups = GroupSet;
using Lines = std::vector<std::string>;

// A group nested in another: 1 inside 2, both inside 3.
const Lines kNested = {"permit tcp host 10.0.0.1 any eq 80", "permit tcp 10.0.0.0 0.0.0.255 any",
                       "permit ip any any"};

TEST(CopyCommands, CopyNoModes) {
  const AnalysisResult result = Analyse(kNested);
  const std::vector<std::size_t> all = AllReportLines(result);
  const Lines noAll = {"no " + kNested[0], "no " + kNested[1], "no " + kNested[2]};
  EXPECT_EQ(CopyNo(result, all).Lines, noAll);
  EXPECT_EQ(CopyNo(result, all, CopyNoMode::Redundant).Lines, (Lines{noAll[0], noAll[1]}));
  EXPECT_EQ(CopyNo(result, all, CopyNoMode::RedundantNotDerived).Lines, Lines{noAll[0]});
  EXPECT_EQ(CopyNo(result, {1, 7}).Lines, Lines{noAll[1]});  // lines past the report: none

  // Lines covered with an incomplete set of ports are never redundant.
  const AnalysisResult italic = Analyse(
      {"permit tcp any any range 70 90", "permit tcp any any range 80 100"}, {.PortsInSet = false});
  EXPECT_TRUE(CopyNo(italic, AllReportLines(italic), CopyNoMode::Redundant).Lines.empty());
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

  ASSERT_EQ(result.Lines.size(), 2u);
  EXPECT_EQ(result.Lines[0].ListIndex, 2u);
  EXPECT_EQ(result.Lines[0].Members, Groups{1});
  EXPECT_EQ(result.Lines[1].Group, 1u);
  ASSERT_EQ(result.Groups.size(), 1u);
  EXPECT_EQ(result.Groups[0].Head, 1u);
}

TEST(HideDerivedLines, HeadInAnotherGroupStaysAsAPlainMember) {
  AnalysisResult result = Analyse(kNested);
  ASSERT_TRUE(HideDerivedLines(result, 1));  // line 2 heads group 1
  ASSERT_EQ(result.Lines.size(), 3u);        // line 1 is still in group 2, now 1
  EXPECT_EQ(result.Lines[0].Members, Groups{1});
  EXPECT_EQ(result.Lines[1].Members, Groups{1});
  EXPECT_FALSE(result.Lines[1].HeadsGroup());
  EXPECT_EQ(result.Lines[2].Group, 1u);
}

}  // namespace
}  // namespace kerbwise

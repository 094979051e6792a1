#include "analysis/analyse_list.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/related_lines.h"
#include "analysis/report_commands.h"
#include "analysis_fixture.h"
#include "check/check_condition.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using testing::Numbered;
using testing::ScriptedAnswers;
using Members = std::vector<std::uint32_t>;

const std::string kHost80 = "permit tcp host 10.0.0.1 any eq 80";
const std::string kAnyTcp = "permit tcp any any";

// Styles, levels and members of this case are checked through the command
// line's JSON; here the offsets and the group table.
TEST(AnalyseList, EarlierLineInsideLaterOneJoinsItsGroup) {
  const AnalysisResult result = Analyse({kHost80, kAnyTcp});
  ASSERT_EQ(result.ReportText, (std::vector<std::string>{" 1: 10 " + kHost80, "2: 20 " + kAnyTcp}));
  EXPECT_EQ(result.Lines[1].TextEnd, result.ReportText[0].size() + result.ReportText[1].size() + 2);
  ASSERT_EQ(result.Groups.size(), 1u);
  EXPECT_EQ(result.Groups[0].Head, 2u);
}

TEST(AnalyseList, ConflictQuestionAndConflictsOnly) {
  const std::vector<std::string> list = {kAnyTcp, "deny tcp host 10.0.0.1 any eq 80",
                                         "permit udp any any", "permit udp host 1.1.1.1 any"};
  LineRecognizer recognizer;
  ScriptedAnswers answers({true});
  const AnalysisResult only = AnalyseList(Numbered(list), {}, recognizer, answers);
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0].Text, "There are conflicting rules. Show only them ?");
  EXPECT_EQ(answers.asked[0].Title, "");
  ASSERT_EQ(only.ReportText.size(), 2u);
  // The udp group's head is not shown; its slot points nowhere.
  EXPECT_EQ(only.Groups[1].Head, 0u);
  EXPECT_EQ(only.Groups[0].Head, 1u);
}

TEST(AnalyseList, CoverWithoutConflict) {
  // An exception before a broader rule of the other action; identical entries (one group,
  // headed by the later one).
  for (const std::string& first : {"deny tcp host 10.0.0.1 any eq 80", "deny tcp any any"}) {
    const AnalysisResult result = Analyse({first, kAnyTcp});
    ASSERT_EQ(result.Lines.size(), 2u) << first;
    EXPECT_FALSE(result.ConflictsFound) << first;
    EXPECT_EQ(result.Lines[0].MarkedMembers(), Members{1}) << first;
    EXPECT_EQ(result.Lines[1].MarkedMembers(), Members{0}) << first;
  }
}

TEST(AnalyseList, PortSetsAsAWholeOrInPart) {
  const std::vector<std::string> overlapping = {"permit tcp any any range 70 90",
                                                "permit tcp any any range 80 100"};
  const AnalysisResult inSet = Analyse(overlapping);
  EXPECT_TRUE(inSet.Lines.empty());
  EXPECT_EQ(inSet.Message, "There are no excess or conflicting rules");
  EXPECT_EQ(inSet.MessageCaption, "All is ok !");

  CheckOptions partial{.PortsInSet = false};
  const AnalysisResult italic = Analyse(overlapping, partial);
  ASSERT_EQ(italic.Lines.size(), 2u);
  EXPECT_EQ(italic.Lines[0].MarkedMembers(), (Members{1, 255}));
  EXPECT_TRUE(IsItalic(italic.Lines[0]));

  // A single port strictly inside the range: only AnyPortOverlap lets it count
  // for the first test.
  const std::vector<std::string> inside = {"permit tcp any any range 70 90",
                                           "permit tcp any any eq 80"};
  const AnalysisResult plain = Analyse(inside, partial);
  EXPECT_EQ(plain.Lines[0].MarkedMembers(), Members{0});
  EXPECT_EQ(plain.Lines[1].MarkedMembers(), Members{1});
  partial.AnyPortOverlap = true;
  const AnalysisResult anyOverlap = Analyse(inside, partial);
  EXPECT_EQ(anyOverlap.Lines[0].MarkedMembers(), (Members{1, 255}));
  EXPECT_EQ(anyOverlap.Lines[1].MarkedMembers(), Members{0});
}

TEST(AnalyseList, NestedGroupsIndentByLevel) {
  const AnalysisResult result =
      Analyse({kHost80, "permit tcp 10.0.0.0 0.0.0.255 any", "permit ip any any"});
  EXPECT_EQ(result.ReportText, (std::vector<std::string>{"  1: 10 " + kHost80,
                                                         " 2: 20 permit tcp 10.0.0.0 0.0.0.255 any",
                                                         "3: 30 permit ip any any"}));
  EXPECT_EQ(result.Lines[0].Level, 2u);
  EXPECT_EQ(result.Lines[1].MarkedMembers(), (Members{0, 2}));
}

TEST(AnalyseList, ErrorNamesTheRuleOfTheFailingTest) {
  CheckOptions options{.PartialAddresses = true};  // switched off for the run only
  const AnalysisResult result = Analyse({"permit foo bar", kAnyTcp}, options);
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.Colour, ResultColour::Tooltip);
  EXPECT_EQ(result.ResultLines,
            std::vector<std::string>{"Line: 20 " + kAnyTcp + ": The condition is not recognized"});
  EXPECT_TRUE(result.Lines.empty());
  EXPECT_EQ(result.NumberPane, std::vector<std::string>{"1"});

  options.TextLanguage = Language::Russian;
  // Line 3 is the rule of the pair (1, 3) that fails.
  const AnalysisResult second = Analyse({kAnyTcp, "permit udp any any", "deny bogus"}, options);
  EXPECT_EQ(second.ResultLines, std::vector<std::string>{"Строка: 30 deny bogus: ACL не опознан"});
}

TEST(AnalyseList, GroupsGrowPastEightBits) {
  std::vector<std::string> pairs;
  for (int k = 0; k < 300; ++k) {
    const std::string host = "host 10.0." + std::to_string(k / 200) + "." + std::to_string(k % 200);
    pairs.push_back("permit tcp " + host + " any eq 80");
    pairs.push_back("permit tcp " + host + " any");
  }
  const AnalysisResult many = Analyse(pairs);
  ASSERT_EQ(many.Groups.size(), 300u);
  // Only the number pane pads the index to the width of the list's length.
  EXPECT_EQ(many.NumberPane[0], "001");
  EXPECT_EQ(many.ReportText[0], " 1: 10 permit tcp host 10.0.0.0 any eq 80");
  EXPECT_EQ(many.Lines[598].MarkedMembers(), Members{300});
  EXPECT_EQ(many.Lines[599].Group, 300u);
}

// Identical entries nest ever deeper, past eight bits of level. The indentation stops at 16 blanks
// and a deeper line says its level there instead, so its text stays in sight; copying takes the
// same list lines and "no" commands as ever.
TEST(AnalyseList, DeepLinesStayInSightAndCopyUnchanged) {
  const std::vector<std::string> same(300, kAnyTcp);
  const AnalysisResult deep = Analyse(same);
  ASSERT_EQ(deep.ReportText.size(), same.size());
  EXPECT_GT(deep.Lines[0].Level, 255u);
  for (std::size_t m = 0; m < same.size(); ++m) {
    const std::uint64_t level = deep.Lines[m].Level;
    const std::string marker = level > 16 ? "[" + std::to_string(level) + "] " : "";
    const std::string index = std::to_string(m + 1) + ": ";
    EXPECT_EQ(deep.ReportText[m].substr(0, deep.ReportText[m].find(index)),
              std::string(std::min<std::uint64_t>(level, 16), ' ') + marker);
  }
  EXPECT_EQ(CopyAll(deep.ReportText), Numbered(same));
  const CopyNoResult no = CopyNo(deep, CopyNoMode::All, 0, deep.Lines.back().TextEnd);
  EXPECT_EQ(no.Lines, std::vector<std::string>(same.size(), "no " + kAnyTcp));
  // In the related pane a member's colour starts at its index, past its level.
  std::ptrdiff_t selected = -1;
  const auto view = ShowRelatedLines(deep, 0, false, false, selected);
  ASSERT_TRUE(view && !view->Spans.empty());
  const ColouredSpan& first = view->Spans.front();
  ASSERT_EQ(first.Pane, AnalysisPane::Related);
  EXPECT_EQ(view->Text[0].substr(first.Start, first.Length), "1: 10 " + kAnyTcp);
}

// Lines drawn from small pools of values, so that many pairs relate, in full
// or (with ports compared in part) in part.
std::vector<std::string> RandomList(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  const auto pick = [&](std::initializer_list<const char*> pool) {
    return std::string(pool.begin()[random() % pool.size()]);
  };
  const auto address = {"any", "host 10.0.0.1", "10.0.0.0 0.0.0.255", "10.0.0.0 0.0.255.255"};
  const auto port = {"", "", " eq 80", " range 70 90", " gt 1023", " neq 80", " eq 80 443"};
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < count; ++k) {
    const std::string protocol = pick({"tcp", "tcp", "udp", "ip"});
    const bool ported = protocol != "ip";
    lines.push_back(pick({"permit", "permit", "deny"}) + " " + protocol + " " + pick(address) +
                    (ported ? pick(port) : "") + " " + pick(address) + (ported ? pick(port) : ""));
  }
  return lines;
}

TEST(AnalyseList, ThreadsGiveTheSameResult) {
  std::vector<std::string> list = RandomList(700, 3);
  const CheckOptions options{.PortsInSet = false};
  for (const std::size_t badLine : {std::size_t{0}, std::size_t{450}}) {
    if (badLine != 0) list[badLine] = "permit tcp 10.0.0.1 0.0.0.255 any";  // address outside mask
    const AnalysisResult one = Analyse(list, options, {false}, 1);
    const AnalysisResult three = Analyse(list, options, {false}, 3);
    EXPECT_EQ(one.Error, badLine != 0);
    EXPECT_EQ(one.ResultLines, three.ResultLines);
    EXPECT_EQ(one.NumberPane, three.NumberPane);
    EXPECT_EQ(one.ReportText, three.ReportText);
    ASSERT_EQ(one.Lines.size(), three.Lines.size());
    for (std::size_t m = 0; m < one.Lines.size(); ++m) {
      EXPECT_EQ(one.Lines[m].MarkedMembers(), three.Lines[m].MarkedMembers());
      EXPECT_EQ(one.Lines[m].Conflict, three.Lines[m].Conflict);
    }
    ASSERT_EQ(one.Groups.size(), three.Groups.size());
    for (std::size_t g = 0; g < one.Groups.size(); ++g) {
      EXPECT_EQ(one.Groups[g].Head, three.Groups[g].Head);
      EXPECT_EQ(one.Groups[g].Level, three.Groups[g].Level);
    }
  }
}

TEST(AnalyseList, ProgressRisesToAHundred) {
  std::vector<int> seen;
  LineRecognizer recognizer;
  ScriptedAnswers answers({false});
  AnalyseList(Numbered(RandomList(50, 1)), {}, recognizer, answers,
              [&](int percent) { seen.push_back(percent); });
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

}  // namespace
}  // namespace kerbwise

// Sorting a normalised list by key columns: the key order, grouping, numbers
// and problem lines, the state of the key-column buttons, and collapsing sorted
// lines back to the source entries they were derived from.
#include "reorder/sort_acl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "reorder/sort_key.h"
#include "reorder/source_collapse.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

SortResult Sort(const Lines& list, std::vector<KeyColumn> keys, SortOptions options = {},
                bool russian = false) {
  SortColumns columns;
  for (KeyColumn key : keys) columns.SwitchOn(key);
  LineRecognizer recognizer;
  const CheckOptions checkOptions{.TextLanguage = russian ? Language::Russian : Language::English};
  return SortACL(columns, list, {}, options, checkOptions, recognizer);
}

// Each problem line as its kind, its 0-based list place and its text.
Lines ProblemsOf(const SortResult& result) {
  Lines problems;
  for (const ProblemLine& problem : result.Problems) {
    problems.push_back(std::string(ProblemKindName(problem.Kind, Language::English)) + ' ' +
                       std::to_string(problem.Line) + ':' + problem.Text);
  }
  return problems;
}

const SortOptions kPlain{.WithNumbers = true, .Group = false, .Collapse = false};

TEST(SortColumns, RanksFollowTheOrderOfSwitchingOn) {
  SortColumns columns;
  columns.Toggle(KeyColumn::Proto);
  columns.Toggle(KeyColumn::SrcAddr);
  columns.Toggle(KeyColumn::DstAddr);
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::SrcAddr), "src addr(2)");
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstOpt), "dst opt");

  // Switching off rank 2 switches off rank 3 too, once the next run resets.
  columns.Toggle(KeyColumn::SrcAddr);
  EXPECT_EQ(columns.ActiveKeyCount(), 1);
  EXPECT_EQ(columns.ResetLaterColumns(), (std::vector{KeyColumn::SrcAddr, KeyColumn::DstAddr}));
  EXPECT_EQ(columns.ActiveColumns(), (std::vector{KeyColumn::Proto}));
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstAddr), "dst addr");

  columns.Toggle(KeyColumn::DstOpt);
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstOpt), "dst opt(2)");
}

TEST(SortKey, ComponentsAndCollation) {
  // Cases the list orders below do not reach.
  EXPECT_EQ(ProtoComponent("1234"), "1234");
  EXPECT_EQ(PortConditionComponent("range 1000 2000"), "range 01000 02000+");
  EXPECT_EQ(PortConditionComponent("eq 123456"), "eq 123456+");
  // The hyphen of a problem key only breaks ties: its words decide.
  const char* ascending[] = {" 1",
                             "*ip 2",
                             "+ 1",
                             "006 2",
                             "EQ 1",
                             "gt 2",
                             "lt 00080+ 1",
                             "-not recognized 2",
                             "range 00080 00090+ 3"};
  for (std::size_t i = 1; i < std::size(ascending); ++i) {
    EXPECT_TRUE(SortKeyLess(ascending[i - 1], ascending[i])) << ascending[i];
  }
}

TEST(SortACL, FirstColumnDecidesTheOrder) {
  // The key column, the list, and the list in its new order.
  const std::tuple<KeyColumn, Lines, Lines> cases[] = {
      {KeyColumn::Proto,
       {"10 permit gre any any", "20 permit udp any any", "30 permit tcp any any",
        "40 permit icmp any any", "50 permit ip any any"},
       {"50 permit ip any any", "40 permit icmp any any", "30 permit tcp any any",
        "20 permit udp any any", "10 permit gre any any"}},
      {KeyColumn::SrcMask,
       {"10 permit ip host 1.1.1.1 any", "20 permit ip 10.0.0.0 0.0.0.255 any",
        "30 permit ip 10.0.0.0 0.255.255.255 any", "40 permit ip any any"},
       {"40 permit ip any any", "30 permit ip 10.0.0.0 0.255.255.255 any",
        "20 permit ip 10.0.0.0 0.0.0.255 any", "10 permit ip host 1.1.1.1 any"}},
      {KeyColumn::DstOpt,
       {"10 permit tcp any any range 1 2", "20 permit tcp any any neq 5",
        "30 permit tcp any any lt 9", "40 permit tcp any any gt 9", "50 permit tcp any any eq 443",
        "60 permit tcp any any eq 80", "70 permit tcp any any eq 80 443", "80 permit tcp any any"},
       {"80 permit tcp any any", "70 permit tcp any any eq 80 443", "60 permit tcp any any eq 80",
        "50 permit tcp any any eq 443", "40 permit tcp any any gt 9", "30 permit tcp any any lt 9",
        "20 permit tcp any any neq 5", "10 permit tcp any any range 1 2"}},
      // Equal keys keep the list's order.
      {KeyColumn::Proto,
       {"10 deny tcp any any", "20 permit ip any any", "30 permit tcp any any"},
       {"20 permit ip any any", "10 deny tcp any any", "30 permit tcp any any"}}};
  for (const auto& [key, list, expected] : cases) {
    EXPECT_EQ(Sort(list, {key}, kPlain).MainOutput, expected) << list[0];
  }
}

TEST(SortACL, NoKeyColumn) {
  const Lines list{"10 permit tcp any any", "20 remark hello", "30 permit ip any any"};
  const SortResult withNumbers = Sort(list, {});
  EXPECT_FALSE(withNumbers.Ran);
  EXPECT_TRUE(withNumbers.MainOutput.empty() && withNumbers.Problems.empty());

  const SortResult bare = Sort(list, {}, {.WithNumbers = false, .Group = false});
  EXPECT_EQ(bare.MainOutput, (Lines{"permit tcp any any", "permit ip any any"}));
  EXPECT_EQ(ProblemsOf(bare), (Lines{"remark 1:remark hello"}));
}

TEST(SortACL, GroupsAreSeparatedAndProblemLinesCountAsGroups) {
  const Lines list{" 10 permit udp any any", " 20 bogus line", " 30 permit tcp any any",
                   " 40 permit tcp host 1.1.1.1 any", " 50 remark note"};
  const SortResult result = Sort(list, {KeyColumn::SrcOpt, KeyColumn::Proto});
  // "not recognized" and "remark" sort after the "+" keys, as groups of their own.
  EXPECT_EQ(result.MainOutput, (Lines{" 30 permit tcp any any", " 40 permit tcp host 1.1.1.1 any",
                                      "", " 10 permit udp any any", "", ""}));
  EXPECT_EQ(ProblemsOf(result),
            (Lines{"not recognized 1: 20 bogus line", "remark 4: 50 remark note"}));

  const SortResult russian = Sort(list, {KeyColumn::Proto}, kPlain, true);
  // Cyrillic words sort after Latin ones.
  EXPECT_EQ(ProblemsOf(russian),
            (Lines{"remark 4: 50 remark note", "not recognized 1: 20 bogus line"}));

  // A problem that sorts before every rule puts an empty line on top.
  const SortResult first =
      Sort({"10 permit udp any any range 1 5", "20 bogus"}, {KeyColumn::DstOpt});
  EXPECT_EQ(first.MainOutput, (Lines{"", "10 permit udp any any range 1 5"}));
  // Places count the shown lines only: no separator, no problem.
  EXPECT_EQ(first.NewPosition, (std::vector<std::size_t>{1, 0}));
}

TEST(SortACL, KeptRemarksTravelWithTheirEntries) {
  const Lines list{"10 remark web",  "20 remark servers",     "30 permit udp any any",
                   "40 remark mail", "50 permit tcp any any", "60 remark odd",
                   "70 bogus",       "80 remark end"};
  const SortOptions keep{.WithNumbers = true, .Group = true, .KeepRemarks = true};
  const SortResult result = Sort(list, {KeyColumn::Proto}, keep);
  // Each run of remarks stays above its entry; the last stays at the end, as
  // a group of its own after the problem groups; a remark above a problem
  // line stays a problem.
  EXPECT_EQ(result.MainOutput,
            (Lines{"40 remark mail", "50 permit tcp any any", "", "10 remark web",
                   "20 remark servers", "30 permit udp any any", "", "", "", "80 remark end"}));
  EXPECT_EQ(ProblemsOf(result), (Lines{"not recognized 6:70 bogus", "remark 5:60 remark odd"}));
  EXPECT_EQ(result.NewPosition, (std::vector<std::size_t>{3, 4, 5, 1, 2, 0, 0, 6}));

  // Off, remarks are problem lines as they always were.
  EXPECT_EQ(Sort(list, {KeyColumn::Proto}, kPlain).MainOutput,
            (Lines{"50 permit tcp any any", "30 permit udp any any"}));
}

const Lines kSource{"10 permit tcp any object-group WEB eq 80", "20 deny ip any any",
                    "30 remark spare"};

TEST(Collapse, SpreadMembersGiveTheClosestOneAndSeparatorsShrink) {
  const Lines sorted{
      "", "010 permit a", "",   " 20 deny ip any any", "", "", "010 permit b", "010 permit c",
      "", " 40 permit x", "zzz"};
  EXPECT_EQ(CollapseToSource(sorted, kSource, true),
            (Lines{"20 deny ip any any", "", "10 permit tcp any object-group WEB eq 80", "",
                   "ACE 40 not found", "zzz"}));
  // Every member of a group is placed where its representative went.
  std::vector<std::size_t> placement;
  CollapseToSource(sorted, kSource, true, &placement);
  EXPECT_EQ(placement, (std::vector<std::size_t>{0, 2, 0, 1, 0, 0, 2, 2, 0, 3, 4}));
}

// A paste kept whole in the source pane: another list's entry of the same
// number must never stand for one of the chosen list.
TEST(Collapse, SourceOfAWholePasteIsTheChosenListAlone) {
  const Lines paste{"object-group network WEB",
                    " host 10.0.0.1",
                    "ip access-list standard 99",
                    " 10 permit 172.16.191.199",
                    "ip access-list extended EDGE",
                    " permit tcp any object-group WEB eq 80",
                    " permit ip any any"};
  EXPECT_EQ(CollapseSourceOf(paste, "EDGE", Numbering::Given),
            (Lines{"10 permit tcp any object-group WEB eq 80", "20 permit ip any any"}));
  EXPECT_EQ(CollapseSourceOf(paste, "99", Numbering::AsWritten),
            (Lines{"10 permit 172.16.191.199"}));
  const Lines alone{" 10 permit ip any any"};
  EXPECT_EQ(CollapseSourceOf(alone, "", Numbering::AsWritten), alone);
}

TEST(Collapse, SourceLinesWithoutANumberMatchNothing) {
  const Lines source{"drop this", "ten permit ip any any", "", "10 permit ip any any"};
  EXPECT_EQ(CollapseToSource({"10 permit ip any any", "0 permit ip any any"}, source, true),
            (Lines{"10 permit ip any any", "ACE 0 not found"}));
}

TEST(Collapse, CapitalisedActionsCollapseToo) {
  const Lines source{"10 Deny ip addrgroup A any", "20 PERMIT IP ANY ANY"};
  const Lines sorted{"010 Deny ip host 1.1.1.1 any", " 20 PERMIT IP ANY ANY",
                     "010 Deny ip host 2.2.2.2 any"};
  EXPECT_EQ(CollapseToSource(sorted, source, true), source);
}

// The scores as first defined: a sum over every pair of lines with the same
// number, and the representative found by scanning forward from each line.
std::vector<SortedEntry> QuadraticScores(const Lines& sorted) {
  std::vector<SortedEntry> entries;
  for (const std::string& line : sorted) entries.push_back(ReadSortedEntry(line));
  const auto same = [&](std::size_t a, std::size_t b) {
    return entries[a].Type == SortedEntry::Kind::Numbered &&
           entries[b].Type == SortedEntry::Kind::Numbered && entries[a].Number == entries[b].Number;
  };
  const std::size_t n = entries.size();
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t k = 0; k < n; ++k) {
      if (k != j && same(j, k)) entries[j].Score += n - (j > k ? j - k : k - j);
    }
  }
  for (std::size_t j = 0; j < n; ++j) {
    if (entries[j].Score == 0 || entries[j].GroupScore != 0) continue;
    std::uint64_t best = 0;
    for (std::size_t k = j; k < n; ++k) {
      if (same(j, k)) best = std::max(best, entries[k].Score);
    }
    bool marked = false;
    for (std::size_t k = j; k < n; ++k) {
      if (!same(j, k)) continue;
      if (!marked && entries[k].Score == best) {
        entries[k].Score = best + 1;
        marked = true;
      }
      entries[k].GroupScore = best;
    }
  }
  return entries;
}

TEST(Collapse, GroupScoresMatchThePairwiseSums) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    Lines sorted;
    const std::size_t size = random() % 40;
    for (std::size_t i = 0; i < size; ++i) {
      const unsigned pick = random() % 8;
      sorted.push_back(pick == 0 ? "" : "0" + std::to_string(pick) + " permit ip any any");
    }
    const std::vector<SortedEntry> fast = ScoreSortedLines(sorted);
    const std::vector<SortedEntry> slow = QuadraticScores(sorted);
    for (std::size_t i = 0; i < size; ++i) {
      if (slow[i].Type != SortedEntry::Kind::Numbered) continue;
      ASSERT_EQ(fast[i].Score, slow[i].Score) << round << ':' << i;
      ASSERT_EQ(fast[i].GroupScore, slow[i].GroupScore) << round << ':' << i;
    }
  }
}

}  // namespace
}  // namespace kerbwise

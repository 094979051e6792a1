// Collapsing sorted lines back to the source entries they were derived from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "reorder/sort_acl.h"
#include "reorder/source_collapse.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

const Lines kSource{"10 permit tcp any object-group WEB eq 80", "20 deny ip any any",
                    "30 remark spare"};

TEST(Collapse, AdjacentMembersGiveTheEntryOnce) {
  const Lines sorted{"010 permit tcp any host 1.1.1.1 eq 80",
                     "010 permit tcp any host 1.1.1.2 eq 80",
                     "010 permit tcp any host 1.1.1.3 eq 80", " 20 deny ip any any"};
  EXPECT_EQ(CollapseToSource(sorted, kSource, true),
            (Lines{"10 permit tcp any object-group WEB eq 80", "20 deny ip any any"}));
  EXPECT_EQ(CollapseToSource(sorted, kSource, false),
            (Lines{"permit tcp any object-group WEB eq 80", "deny ip any any"}));
}

TEST(Collapse, SpreadMembersGiveTheClosestOneAndSeparatorsShrink) {
  const Lines sorted{
      "", "010 permit a", "",   " 20 deny ip any any", "", "", "010 permit b", "010 permit c",
      "", " 40 permit x", "zzz"};
  EXPECT_EQ(CollapseToSource(sorted, kSource, true),
            (Lines{"20 deny ip any any", "", "10 permit tcp any object-group WEB eq 80", "",
                   "ACE 40 not found", "zzz"}));
}

TEST(Collapse, SourceLinesWithoutANumberMatchNothing) {
  const Lines source{"drop this", "ten permit ip any any", "", "10 permit ip any any"};
  EXPECT_EQ(CollapseToSource({"10 permit ip any any", "0 permit ip any any"}, source, true),
            (Lines{"10 permit ip any any", "ACE 0 not found"}));
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

TEST(Collapse, SortWithCollapse) {
  const Lines list{"010 permit tcp any host 1.1.1.1 eq 80", "010 permit tcp any host 1.1.1.2 eq 80",
                   " 20 deny ip any any"};
  SortColumns columns;
  columns.SwitchOn(KeyColumn::Proto);
  LineRecognizer recognizer;
  const SortResult result =
      SortACL(columns, list, kSource, {.WithNumbers = false, .Collapse = true}, {}, recognizer);
  EXPECT_EQ(result.MainOutput,
            (Lines{"deny ip any any", "", "permit tcp any object-group WEB eq 80"}));
}

}  // namespace
}  // namespace kerbwise

// The device commands that apply a new order, and the choice of the lines
// that keep their place.
#include "reorder/reorder_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

TEST(ReorderCommands, MovedLinesGoIntoTheGaps) {
  // The list in its new order, its name, and the commands.
  const std::tuple<Lines, std::string, Lines> cases[] = {
      // 50 goes before 10, which keeps its place; 30 goes between 10 and 20.
      {{"50 permit a", "10 permit b", "30 permit c", "20 permit d"},
       "X",
       {"ip access-list extended X", "no 50", "no 30", "", "ip access-list resequence X 2 2", "",
        "ip access-list extended X", "1 permit a", "3 permit c", "",
        "ip access-list resequence X 10 10"}},
      // Reversed, without a name: only the last line stays.
      {{"30 permit a", "20 permit b", "10 permit c"},
       "",
       {"ip access-list extended *****", "no 30", "no 20", "",
        "ip access-list resequence ***** 3 3", "", "ip access-list extended *****", "1 permit a",
        "2 permit b", "", "ip access-list resequence ***** 10 10"}},
      // Remarks with numbers of their own move like entries; one that carries
      // its entry's number moves with it under the entry's new number.
      {{"30 remark b", "30 permit b", "20 remark own", "10 permit a"},
       "R",
       {"ip access-list extended R", "no 30", "no 20", "", "ip access-list resequence R 3 3", "",
        "ip access-list extended R", "1 remark b", "1 permit b", "2 remark own", "",
        "ip access-list resequence R 10 10"}}};
  for (const auto& [lines, name, commands] : cases) {
    const ReorderCommands result = GenerateReorderCommands(lines, 0, name);
    EXPECT_EQ(result.Outcome, CommandOutcome::Produced);
    EXPECT_EQ(result.NameMissing, name.empty());
    EXPECT_EQ(result.Commands, commands);
  }
}

TEST(ReorderCommands, NothingIsProduced) {
  using enum CommandOutcome;
  // The sorted lines, how many problem lines there are, the outcome, and the
  // number or lines that come with it.
  const std::tuple<Lines, std::size_t, CommandOutcome, std::uint64_t, Lines> cases[] = {
      {{"10 permit a", "20 permit b"}, 0, Unchanged, 0, {}},
      {{}, 0, Unchanged, 0, {}},
      {{"20 permit a", "10 permit b"}, 2, Problems, 0, {}},
      {{"20 permit a", "ACE 5 not found", "10 permit b"}, 0, Unnumbered, 0, {"ACE 5 not found"}},
      {{"030 permit a", "10 permit b", "030 permit c"}, 0, SharedNumbers, 30, {}}};
  for (const auto& [lines, problems, outcome, number, unnumbered] : cases) {
    const ReorderCommands result = GenerateReorderCommands(lines, problems, "IN");
    EXPECT_EQ(result.Outcome, outcome) << lines.size();
    EXPECT_EQ(result.Number, number);
    EXPECT_EQ(result.Unnumbered, unnumbered);
    EXPECT_TRUE(result.Commands.empty());
  }
}

// Lines numbered ten times `numbers`, in that order.
Lines Numbered(const std::vector<std::uint32_t>& numbers) {
  Lines lines;
  for (const std::uint32_t number : numbers) {
    lines.push_back(std::to_string(number * 10) + " permit ip any any");
  }
  return lines;
}

// The numbers `first` to `last` of each part, one part after the other.
std::vector<std::uint32_t> Spans(
    std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> parts) {
  std::vector<std::uint32_t> numbers;
  for (const auto& [first, last] : parts) {
    for (std::uint32_t number = first; number <= last; ++number) numbers.push_back(number);
  }
  return numbers;
}

TEST(ReorderCommands, NoNumberPastWhatARouterTakes) {
  // 46,341 lines move before as many that stay: even room before each staying
  // line would number the last one 46,341 x 46,342, past 2,147,483,647, so
  // the room is only what the leading run needs.
  constexpr std::uint32_t k = 46'341;
  const ReorderCommands fitted =
      GenerateReorderCommands(Numbered(Spans({{k + 1, 2 * k}, {1, k}})), 0, "X");
  ASSERT_EQ(fitted.Outcome, CommandOutcome::Produced) << fitted.Number;
  ASSERT_EQ(fitted.Commands.size(), 2 * k + 7);
  EXPECT_EQ(fitted.Commands[k + 2], "ip access-list resequence X 46342 1");
  EXPECT_EQ(fitted.Commands[k + 5], "1 permit ip any any");
  EXPECT_EQ(fitted.Commands[2 * k + 4], "46341 permit ip any any");
  EXPECT_EQ(fitted.Commands.back(), "ip access-list resequence X 10 10");

  // A run of k between the first two staying lines needs k free numbers
  // before each staying line: no numbering fits.
  const ReorderCommands refused =
      GenerateReorderCommands(Numbered(Spans({{1, 1}, {k + 2, 2 * k + 1}, {2, k + 1}})), 0, "X");
  EXPECT_EQ(refused.Outcome, CommandOutcome::NumbersTooLarge);
  EXPECT_EQ(refused.Number, 2'147'534'623U);  // the largest number it would need
  EXPECT_TRUE(refused.Commands.empty());
}

// The choice of staying lines as first written: one pass over all lines for
// every candidate.
std::vector<bool> QuadraticMoves(const std::vector<std::uint32_t>& seqNo) {
  const std::size_t n = seqNo.size();
  std::vector<std::size_t> lower(n, 0);
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t k = 0; k < j; ++k) lower[j] += seqNo[k] < seqNo[j];
  }
  std::vector<bool> moved(n, false);
  bool anyStay = false;
  std::uint32_t last = 0;
  for (;;) {
    std::size_t candidate = n;
    for (std::size_t j = 0; j < n; ++j) {
      if (moved[j] || (anyStay && seqNo[j] >= last)) continue;
      if (candidate == n || seqNo[j] > seqNo[candidate]) candidate = j;
    }
    if (candidate == n) break;
    bool beaten = false;
    for (std::size_t k = candidate + 1; k < n; ++k) {
      beaten = beaten || (!moved[k] && lower[k] >= lower[candidate] && seqNo[k] < seqNo[candidate]);
    }
    if (beaten) {
      moved[candidate] = true;
      continue;
    }
    anyStay = true;
    last = seqNo[candidate];
    for (std::size_t k = candidate + 1; k < n; ++k) {
      if (seqNo[k] < last) moved[k] = true;
    }
  }
  return moved;
}

TEST(ReorderCommands, PlanMatchesTheCandidateByCandidateChoice) {
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    std::vector<std::uint32_t> seqNo(random() % 30);
    for (std::uint32_t& number : seqNo) number = static_cast<std::uint32_t>(random() % 40);
    EXPECT_EQ(PlanReorder(seqNo).Moved, QuadraticMoves(seqNo)) << round;
  }
}

}  // namespace
}  // namespace kerbwise

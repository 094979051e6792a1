// The sort's texts: the pane, the command generator's messages and the report
// of the pairs of entries a new order reverses.
#include "presentation/sort_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

SortResult WithProblems() {
  SortResult sorted;
  sorted.Ran = true;
  sorted.MainOutput = {"10 permit ip any any"};
  sorted.Problems = {{ProblemKind::NotRecognized, 1, "20 bogus"},
                     {ProblemKind::Remark, 2, "30 remark x"}};
  return sorted;
}

TEST(SortText, PaneShowsTheProblemsBelowAnEmptyLine) {
  EXPECT_EQ(SortPaneLines(WithProblems(), Language::English),
            (Lines{"10 permit ip any any", "", "not recognized:20 bogus", "remark:30 remark x"}));
  EXPECT_EQ(SortPaneLines(WithProblems(), Language::Russian)[2], "не опознано:20 bogus");
  EXPECT_TRUE(SortPaneLines(SortResult{}, Language::English).empty());
}

TEST(SortText, ReorderMessages) {
  using enum CommandOutcome;
  // The outcome, its number, and the message in English.
  const std::tuple<CommandOutcome, std::uint64_t, std::string> cases[] = {
      {Problems, 0, "not recognized:20 bogus\nremark:30 remark x"},
      {NumbersTooLarge, 2'147'534'623,
       "Sequence numbers up to 2147534623 would be needed to apply this order, but a router takes "
       "numbers up to 2147483647; no commands are produced"}};
  for (const auto& [outcome, number, message] : cases) {
    ReorderCommands commands;
    commands.Outcome = outcome;
    commands.Number = number;
    EXPECT_EQ(ReorderMessage(commands, WithProblems(), Language::English), message);
  }
  ReorderCommands unnumbered;
  unnumbered.Outcome = Unnumbered;
  unnumbered.Unnumbered = {"ACE 5 not found", "ACE 6 not found"};
  EXPECT_EQ(ReorderMessage(unnumbered, {}, Language::English), "ACE 5 not found\nACE 6 not found");
}

TEST(SortText, OrderChangeReportSaysHowManyMore) {
  const Lines list{"10 permit ip host 10.0.0.1 any", "20 permit ip host 10.0.0.2 any",
                   "30 deny ip any any"};
  const OrderChanges changes{.Count = 2,
                             .Listed = {{.First = 0, .Second = 2, .NewFirst = 2, .NewSecond = 1}}};
  EXPECT_EQ(
      OrderChangeReport(changes, list, Language::English),
      (Lines{"Entries 10 and 30 overlap and have opposite actions; the new order changes "
             "what the list does for their common traffic.",
             "  line 1 -> 2: 10 permit ip host 10.0.0.1 any", "  line 3 -> 1: 30 deny ip any any",
             "", "... and 1 more pairs not shown here"}));
  EXPECT_EQ(OrderChangeReport(changes, list, Language::Russian)[0],
            "Записи 10 и 30 пересекаются и имеют противоположные действия; новый порядок "
            "меняет действие списка для их общего трафика.");
}

}  // namespace
}  // namespace kerbwise

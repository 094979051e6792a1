// The direct and reverse check over a normalised list, in its typed result,
// and the bookkeeping of checked conditions.
#include "check/check_condition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/checked_conditions.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;
using Outcomes = std::vector<std::optional<CheckOutcome>>;

CheckResult Check(const Lines& list, const std::string& condition,
                  CheckDirection direction = CheckDirection::Direct, CheckOptions options = {}) {
  LineRecognizer recognizer;
  return CheckCondition(list, condition, direction, options, recognizer);
}

const Lines kWebThenDeny{" 10 permit tcp any any eq 80", " 20 deny ip any any"};

// What a check found in its types; the panes drawn from it are tested with
// the presentation.
TEST(CheckCondition, AStoppedCheckKeepsItsMatchesButDecidesNothing) {
  const Lines list{" 10 remark web", "permit tcp any any eq 80", " 30 bogus"};
  const CheckResult finished = Check({list[0], list[1]}, "tcp any any eq 80");
  EXPECT_FALSE(finished.Matches[1].Sequence.has_value());  // a line without its number

  const CheckResult stopped = Check(list, "tcp any any eq 80");
  EXPECT_EQ(stopped.Outcome, CheckOutcome::Error);
  EXPECT_EQ(stopped.Matches.size(), 2u);
  EXPECT_FALSE(stopped.FirstFullMatch.has_value());
  ASSERT_TRUE(stopped.StoppedAt.has_value());
  EXPECT_EQ(stopped.StoppedAt->Index, 3u);
  EXPECT_EQ(stopped.StoppedAt->Sequence, 30);
}

TEST(CheckedConditions, FirstOutcomeStaysUntilTheConditionLeavesThePane) {
  constexpr auto kAllowed = CheckOutcome::Allowed;
  constexpr auto kBlocked = CheckOutcome::Blocked;
  CheckedConditions checked;
  checked.Record(Check(kWebThenDeny, "tcp any any eq 80"));
  checked.Record(Check(kWebThenDeny, "udp any any"));
  checked.Record(Check({" 10 deny ip any any"}, "tcp  any any eq 80"));  // checked again
  checked.Record(Check({" 10 bogus"}, "ip any any"));                    // ended on an error

  EXPECT_EQ(checked.Renew({"udp any any", " tcp any  any eq 80 ", "icmp any any", "ip any any"}),
            (Outcomes{kBlocked, kAllowed, std::nullopt, std::nullopt}));
  EXPECT_EQ(checked.Renew({"icmp any any", "udp any any"}), (Outcomes{std::nullopt, kBlocked}));
  // The condition that left the pane was forgotten: its next check counts.
  checked.Record(Check({" 10 deny ip any any"}, "tcp any any eq 80"));
  EXPECT_EQ(checked.Renew({"tcp any any eq 80", "udp any any"}), (Outcomes{kBlocked, kBlocked}));
  EXPECT_EQ(checked.Renew({}), Outcomes{});
  EXPECT_TRUE(checked.Empty());
}

TEST(CheckedConditions, KeepsMoreThan256Conditions) {
  CheckedConditions checked;
  Lines pane;
  for (int i = 0; i < 300; ++i) {
    pane.push_back("ip host 10.0.0." + std::to_string(i % 256) + " host 10.1.0." +
                   std::to_string(i / 256));
    checked.Record(Check({" 10 permit ip any any"}, pane.back()));
  }
  EXPECT_EQ(checked.Renew(pane), Outcomes(300, CheckOutcome::Allowed));
}

}  // namespace
}  // namespace kerbwise

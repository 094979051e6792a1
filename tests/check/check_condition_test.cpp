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

TEST(CheckCondition, MatchesCarryTheirIndexSequenceActionAndKind) {
  const Lines list{" 10 remark web", " 20 permit ip 10.0.0.0 0.255.255.255 any",
                   "permit tcp any any eq 80", " 40 deny ip any any"};
  const CheckResult result = Check(list, "  tcp  10.0.0.0 1.255.255.255 any eq www ",
                                   CheckDirection::Direct, {.PartialAddresses = true});
  EXPECT_EQ(result.Condition, "permit tcp 10.0.0.0 1.255.255.255 any eq www");
  ASSERT_EQ(result.Matches.size(), 4u);
  const EntryMatch& remark = result.Matches[0];
  EXPECT_EQ(remark.Action, EntryAction::Remark);
  EXPECT_EQ(remark.Kind, MatchKind::None);
  EXPECT_EQ(result.Matches[1].Kind, MatchKind::AddressesInPart);
  EXPECT_EQ(result.Matches[1].Sequence, 20);
  const EntryMatch& deciding = result.Matches[2];
  EXPECT_EQ(deciding.Index, 3u);
  EXPECT_FALSE(deciding.Sequence.has_value());  // a line without its number
  EXPECT_EQ(deciding.Action, EntryAction::Permit);
  EXPECT_EQ(deciding.Kind, MatchKind::Full);
  EXPECT_EQ(result.Matches[3].Action, EntryAction::Deny);
  EXPECT_EQ(result.Outcome, CheckOutcome::Allowed);
  EXPECT_EQ(result.FirstFullMatch, 3u);
  EXPECT_TRUE(result.OtherFullMatches);
  EXPECT_TRUE(result.HasPartialMatch());
  EXPECT_EQ(result.Examined, 4u);

  EXPECT_EQ(Check(kWebThenDeny, "tcp any any").Outcome, CheckOutcome::Blocked);
  const CheckResult empty = Check({}, "ip any any");  // no full match blocks
  EXPECT_EQ(empty.Outcome, CheckOutcome::Blocked);
  EXPECT_FALSE(empty.FirstFullMatch.has_value());
}

TEST(CheckCondition, AnErrorStopsTheCheckAndKeepsTheMatchesBeforeIt) {
  const Lines list{" 10 remark web", " 20 permit tcp any any eq 80", " 30 bogus",
                   " 40 permit ip any any"};
  const CheckResult result = Check(list, "tcp any any eq 80");
  EXPECT_EQ(result.Outcome, CheckOutcome::Error);
  EXPECT_EQ(result.Examined, 2u);
  EXPECT_EQ(result.Matches.size(), 2u);
  EXPECT_FALSE(result.FirstFullMatch.has_value());  // nothing decides an unfinished check
  ASSERT_TRUE(result.StoppedAt.has_value());
  EXPECT_EQ(result.StoppedAt->Index, 3u);
  EXPECT_EQ(result.StoppedAt->Sequence, 30);
  EXPECT_EQ(result.StoppedAt->Message, "The ACL is not recognized");

  // An unrecognised condition stops a direct check at line 1; a reverse check
  // reads the entry first, so the remark is passed over.
  EXPECT_EQ(Check(list, "tcp any").StoppedAt->Index, 1u);
  EXPECT_EQ(Check(list, "tcp any", CheckDirection::Reverse).StoppedAt->Index, 2u);
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

// The direct and reverse check over a normalised list, the bookkeeping of
// checked conditions and the listing of the results.
#include "check/check_condition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/checked_conditions.h"
#include "check/result_listing.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

CheckReport Check(const Lines& list, const std::string& condition,
                  CheckDirection direction = CheckDirection::Direct, CheckOptions options = {}) {
  LineRecognizer recognizer;
  return CheckCondition(list, condition, direction, options, recognizer);
}

const CheckOptions kPartialPorts{.PartialPortsOption = true};

const Lines kWebThenDeny{" 10 permit tcp any any eq 80", " 20 deny ip any any"};

TEST(CheckCondition, FirstFullMatchDecides) {
  const CheckReport allowed = Check(kWebThenDeny, "  tcp  any any eq www ");
  EXPECT_EQ(allowed.Condition, "permit tcp any any eq www");
  EXPECT_EQ(allowed.NumberPane, (Lines{"1+ Match", "2- Match"}));
  EXPECT_EQ(allowed.MarkerList, (Lines{"+1", "-2"}));
  EXPECT_EQ(allowed.ResultLines,
            (Lines{"Allowed at line 1: 10 permit tcp any any eq 80", "There are other matches"}));
  EXPECT_EQ(allowed.Colour, ResultColour::LightGreen);
  EXPECT_EQ(allowed.Verdict, "+");
  EXPECT_EQ(allowed.FirstMatch, 1u);
  EXPECT_FALSE(allowed.Error);

  const CheckReport blocked = Check(kWebThenDeny, "tcp any any");
  EXPECT_EQ(blocked.NumberPane, (Lines{"1", "2- Match"}));
  EXPECT_EQ(blocked.ResultLines, (Lines{"Blocked at line 2: 20 deny ip any any"}));
  EXPECT_EQ(blocked.Colour, ResultColour::LightRed);
  EXPECT_EQ(blocked.Verdict, "-");

  // Without a full match the traffic is blocked.
  const CheckReport empty = Check({}, "ip any any");
  EXPECT_TRUE(empty.NumberPane.empty());
  EXPECT_EQ(empty.ResultLines, (Lines{"Blocked"}));
  EXPECT_EQ(empty.Verdict, "-");
  EXPECT_FALSE(empty.FirstMatch.has_value());
  const CheckReport partial = Check({" 10 permit tcp any any eq 80"}, "tcp any any range 70 90",
                                    CheckDirection::Direct, kPartialPorts);
  EXPECT_EQ(partial.NumberPane, (Lines{"1^+Match. Incomplete set of ports"}));
  EXPECT_EQ(partial.MarkerList, (Lines{"^1"}));
  EXPECT_EQ(partial.ResultLines, (Lines{"Blocked", "Partial matches were also found"}));
}

TEST(CheckCondition, PartialMatchNoteJoinsASecondLine) {
  const CheckReport report = Check(
      {" 10 permit ip 10.0.0.0 0.255.255.255 any", " 20 permit ip any any", " 30 deny ip any any"},
      "ip 10.0.0.0 1.255.255.255 any", CheckDirection::Direct,
      {.PartialAddresses = true, .TextLanguage = Language::Russian});
  EXPECT_EQ(report.MarkerList, (Lines{"?1", "+2", "-3"}));
  EXPECT_EQ(report.NumberPane[0],
            "1?+Совпадение. Src 16777216 хостов с 10.0.0.0 по 10.255.255.255. Dst полностью");
  EXPECT_EQ(report.ResultLines, (Lines{"Разрешено в строке 2: 20 permit ip any any",
                                       "Имеются ещё совпадения. Также обнаружены частичные "
                                       "совпадения"}));
}

TEST(CheckCondition, IndexesArePaddedAndEntryNumbersDropped) {
  Lines list(120, "  10 deny udp any any");
  list[9] = " 0100 permit  tcp   any any";  // a derived entry, blanks as typed
  list[10] = "110    permit tcp any any";
  list[11] = "permit tcp any any";  // no number at all
  const CheckReport report = Check(list, "tcp any any");
  ASSERT_EQ(report.NumberPane.size(), 120u);
  EXPECT_EQ(Lines(report.NumberPane.begin() + 9, report.NumberPane.begin() + 12),
            (Lines{"010+ Match", "011+ Match", "012+ Match"}));
  EXPECT_EQ(report.NumberPane[119], "120");
  EXPECT_EQ(report.ResultLines.front(), "Allowed at line 10: 0100 permit  tcp   any any");
}

TEST(CheckCondition, RemarksArePassedOverAndErrorsStopTheCheck) {
  const Lines list{" 10 remark web", " 20 permit tcp any any eq 80", " 30 bogus",
                   " 40 permit ip any any"};
  const CheckReport report = Check(list, "tcp any any eq 80");
  EXPECT_EQ(report.NumberPane, (Lines{"1  remark in ACL", "2+ Match"}));
  EXPECT_EQ(report.MarkerList, (Lines{"+2"}));
  EXPECT_EQ(report.ResultLines, (Lines{"Line: 30 bogus: The ACL is not recognized"}));
  EXPECT_EQ(report.Colour, ResultColour::Tooltip);
  EXPECT_TRUE(report.Error);
  EXPECT_EQ(report.Verdict, "");
  EXPECT_FALSE(report.FirstMatch.has_value());

  // An unrecognised condition stops a direct check at line 1; a reverse check
  // reads the entry first, so the remark is passed over.
  EXPECT_EQ(Check(list, "tcp any").ResultLines,
            (Lines{"Line: 10 remark web: The condition is not recognized"}));
  const CheckReport reverse = Check(list, "tcp any", CheckDirection::Reverse);
  EXPECT_EQ(reverse.NumberPane, (Lines{"1  remark in ACL"}));
  EXPECT_EQ(reverse.ResultLines,
            (Lines{"Line: 20 permit tcp any any eq 80: The condition is not recognized"}));
}

TEST(CheckCondition, ErrorTextKeepsItsLineBreakAndThePartialNote) {
  const CheckReport report =
      Check({" 10 permit tcp any any eq 80", " 20 permit ip 10.1.1.1 0.0.0.255 any"},
            "tcp any any range 70 90", CheckDirection::Direct, kPartialPorts);
  EXPECT_EQ(report.ResultLines,
            (Lines{"Line: 20 permit ip 10.1.1.1 0.0.0.255 any: Wrong combination of src address "
                   "and mask in the ACL",
                   "It should be fixed this address to 10.1.1.0 or mask to 0.0.0.254. Partial "
                   "matches were also found"}));
}

TEST(CheckCondition, ReverseCheckFindsEntriesInsideTheCondition) {
  const CheckReport report = Check({" 10 permit tcp host 1.1.1.1 any eq 22", " 20 deny ip any any"},
                                   "tcp any any", CheckDirection::Reverse);
  EXPECT_EQ(report.NumberPane, (Lines{"1+ Match", "2"}));
  EXPECT_EQ(report.ResultLines, (Lines{"Allowed at line 1: 10 permit tcp host 1.1.1.1 any eq 22"}));
  EXPECT_EQ(report.Direction, CheckDirection::Reverse);
}

TEST(CheckedConditions, FirstVerdictStaysUntilTheConditionLeavesThePane) {
  CheckedConditions checked;
  checked.Record(Check(kWebThenDeny, "tcp any any eq 80"));
  checked.Record(Check(kWebThenDeny, "udp any any"));
  checked.Record(Check({" 10 deny ip any any"}, "tcp  any any eq 80"));  // checked again
  checked.Record(Check({" 10 bogus"}, "ip any any"));                    // ended on an error
  EXPECT_EQ(checked.CheckedList(), (Lines{"permit tcp any any eq 80", "permit udp any any"}));
  EXPECT_EQ(checked.CheckedVerdicts(), (Lines{"+", "-"}));

  EXPECT_EQ(checked.Renew({"udp any any", " tcp any  any eq 80 ", "icmp any any"}),
            (Lines{"-", "+", " "}));
  EXPECT_EQ(checked.Renew({"icmp any any", "udp any any"}), (Lines{" ", "-"}));
  EXPECT_EQ(checked.CheckedList(), (Lines{"permit udp any any"}));
  EXPECT_EQ(checked.CheckedVerdicts(), (Lines{"-"}));

  checked.Record(Check(kWebThenDeny, "tcp any any eq 80"));  // a fresh first verdict
  EXPECT_EQ(checked.Renew({"tcp any any eq 80", "udp any any"}), (Lines{"+", "-"}));
  EXPECT_EQ(checked.Renew({}), Lines{});
  EXPECT_TRUE(checked.CheckedList().empty());
}

TEST(CheckedConditions, KeepsMoreThan256Conditions) {
  CheckedConditions checked;
  Lines pane;
  for (int i = 0; i < 300; ++i) {
    pane.push_back("ip host 10.0.0." + std::to_string(i % 256) + " host 10.1.0." +
                   std::to_string(i / 256));
    checked.Record(Check({" 10 permit ip any any"}, pane.back()));
  }
  EXPECT_EQ(checked.Renew(pane), Lines(300, "+"));
}

TEST(ResultListing, MarkerThenTheListLineUnchangedAndALegendOfTheMarkersThatOccur) {
  const Lines list{" 10 permit ip any any", " 20 deny tcp any any", " 30 permit udp any any"};
  // An index outside the list keeps its marker.
  EXPECT_EQ(ResultListing({"+2", "-3", "+0", "?9", "^x"}, list),
            (Lines{"+  20 deny tcp any any", "-  30 permit udp any any", "+ ", "? ", "^ "}));
  EXPECT_EQ(ResultLegend({"?3", "+1", "?4"}, false),
            (Lines{"", "----------------------", "+ permit", "? partial match of IP addresses"}));
  EXPECT_EQ(ResultLegend({".1", "^2", "-3"}, true),
            (Lines{"", "----------------------", "- deny", "^ совпадение неполным набором портов",
                   ". частичное совпадение адресов, неполный набор портов"}));
}

}  // namespace
}  // namespace kerbwise

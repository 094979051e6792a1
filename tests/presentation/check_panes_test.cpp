// What the windows show of a check: the number pane, the markers, the result
// line and its colour, and the listing with its legend. The ticks and the
// verdict strip are checked in the main window's tests.
#include "presentation/check_panes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/check_listing.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

// A check of `condition` against `list` as the main window shows it.
struct Shown {
  CheckResult Result;
  Lines Pane;
  ResultLine Verdict;
};

Shown Check(const Lines& list, const std::string& condition,
            CheckDirection direction = CheckDirection::Direct, CheckOptions options = {}) {
  LineRecognizer recognizer;
  Shown shown{CheckCondition(list, condition, direction, options, recognizer), {}, {}};
  shown.Pane = NumberPane(shown.Result);
  shown.Verdict = CheckResultLine(shown.Result, list, options.TextLanguage);
  return shown;
}

const CheckOptions kPartialPorts{.PartialPortsOption = true};
const Lines kWebThenDeny{" 10 permit tcp any any eq 80", " 20 deny ip any any"};

// The allowed case is driven through the main window, a partial match through
// the command line.
TEST(CheckPanes, BlockedByADenyOrByNoFullMatch) {
  const Shown blocked = Check(kWebThenDeny, "tcp any any");
  EXPECT_EQ(blocked.Pane, (Lines{"1", "2- Match"}));
  EXPECT_EQ(blocked.Verdict.Lines, (Lines{"Blocked at line 2: 20 deny ip any any"}));

  const Shown empty = Check({}, "ip any any");
  EXPECT_TRUE(empty.Pane.empty());
  EXPECT_EQ(empty.Verdict.Lines, (Lines{"Blocked"}));
}

TEST(CheckPanes, PartialMatchNoteJoinsASecondLine) {
  const Shown shown = Check(
      {" 10 permit ip 10.0.0.0 0.255.255.255 any", " 20 permit ip any any", " 30 deny ip any any"},
      "ip 10.0.0.0 1.255.255.255 any", CheckDirection::Direct,
      {.PartialAddresses = true, .TextLanguage = Language::Russian});
  EXPECT_EQ(MarkerList(shown.Result), (Lines{"?1", "+2", "-3"}));
  EXPECT_EQ(shown.Pane[0],
            "1?+Совпадение. Src 16777216 хостов с 10.0.0.0 по 10.255.255.255. Dst полностью");
  EXPECT_EQ(shown.Verdict.Lines, (Lines{"Разрешено в строке 2: 20 permit ip any any",
                                        "Имеются ещё совпадения. Также обнаружены частичные "
                                        "совпадения"}));
}

TEST(CheckPanes, IndexesArePaddedAndTheDecidingLineQuotedAsTyped) {
  Lines list(120, "  10 deny udp any any");
  list[9] = " 0100 permit  tcp   any any";  // a derived entry, blanks as typed
  const Shown shown = Check(list, "tcp any any");
  ASSERT_EQ(shown.Pane.size(), 120u);
  EXPECT_EQ(shown.Pane[9], "010+ Match");
  EXPECT_EQ(shown.Verdict.Lines.front(), "Allowed at line 10: 0100 permit  tcp   any any");
}

TEST(CheckPanes, RemarksArePassedOverAndAnErrorEndsThePane) {
  const Lines list{" 10 remark web", " 20 permit tcp any any eq 80", " 30 bogus"};
  const Shown shown = Check(list, "tcp any any eq 80");
  EXPECT_EQ(shown.Pane, (Lines{"1  remark in ACL", "2+ Match"}));
  EXPECT_EQ(shown.Verdict.Lines, (Lines{"Line: 30 bogus: The ACL is not recognized"}));
  // A reverse check reads the entry first, so the remark is passed over.
  EXPECT_EQ(Check(list, "tcp any", CheckDirection::Reverse).Verdict.Lines,
            (Lines{"Line: 20 permit tcp any any eq 80: The condition is not recognized"}));
}

TEST(CheckPanes, ErrorTextKeepsItsLineBreakAndThePartialNote) {
  const Shown shown =
      Check({" 10 permit tcp any any eq 80", " 20 permit ip 10.1.1.1 0.0.0.255 any"},
            "tcp any any range 70 90", CheckDirection::Direct, kPartialPorts);
  EXPECT_EQ(shown.Verdict.Lines,
            (Lines{"Line: 20 permit ip 10.1.1.1 0.0.0.255 any: Wrong combination of src address "
                   "and mask in the ACL",
                   "It should be fixed this address to 10.1.1.0 or mask to 0.0.0.254. Partial "
                   "matches were also found"}));
}

TEST(CheckListing, MarkerThenTheListLineUnchangedAndALegendOfTheMarkersThatOccur) {
  const Lines list{" 10 permit ip any any", " 20 deny tcp any any", " 30 permit udp any any"};
  CheckResult result;
  result.Matches = {{1, 10, EntryAction::Remark, MatchKind::None, "remark in ACL"},
                    {2, 20, EntryAction::Deny, MatchKind::PortsInPart, ""},
                    {3, 30, EntryAction::Permit, MatchKind::AddressesAndPortsInPart, ""},
                    {9, 90, EntryAction::Permit, MatchKind::AddressesInPart, ""}};
  // A list shorter than the checked one keeps the marker without its line.
  EXPECT_EQ(ResultListing(result, list),
            (Lines{"^  20 deny tcp any any", ".  30 permit udp any any", "? "}));
  // The full matches' "+ permit" and "- deny" are shown through the main window.
  EXPECT_EQ(ResultLegend(result, Language::Russian),
            (Lines{"", "----------------------", "? частичное совпадение IP адресов",
                   "^ совпадение неполным набором портов",
                   ". частичное совпадение адресов, неполный набор портов"}));
}

}  // namespace
}  // namespace kerbwise

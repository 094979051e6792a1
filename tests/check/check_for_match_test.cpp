// Comparing one subject line with one rule line.
#include "check/check_for_match.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kerbwise {
namespace {

struct Comparer {
  MatchSettings settings;
  CheckOptions options{};

  MatchResult operator()(const std::string& rule, const std::string& subject) const {
    LineRecognizer recognizer;
    return CheckForMatch(rule, subject, settings, options, recognizer);
  }
};

const Comparer kPlain{};
const Comparer kPartialPorts{{.PartialPorts = true}};
const Comparer kAnyOverlap{{.PartialPorts = true, .AnyOverlap = true}};
const Comparer kPartialAddresses{{}, {.PartialAddresses = true}};

::testing::AssertionResult Is(std::uint8_t outcome, const MatchResult& result,
                              const std::string& message = "Match") {
  const std::string expected = outcome == NoMatch ? "" : message;
  if (result.Outcome == outcome && result.Message == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "outcome " << int(result.Outcome) << ", message \"" << result.Message << "\"";
}

TEST(CheckForMatch, EveryConditionOfTheRuleMustHoldForAllOfTheSubject) {
  const std::tuple<const char*, const char*, std::uint8_t> cases[] = {
      // Protocols, addresses and ports.
      {"permit ip any any", "permit tcp host 10.1.0.1 192.168.0.0 0.0.0.255 ttl eq 14",
       MatchPermit},
      {"permit tcp any any", "permit ip any any", NoMatch},
      {"deny tcp any any range 1 1024", "permit tcp any any eq 80", MatchDeny},
      {"permit tcp 10.0.0.0 0.255.255.255 any", "permit tcp any any", NoMatch},
      {"permit tcp any eq 80 any", "permit tcp any any eq 80", NoMatch},
      {"permit tcp any any eq 80", "permit tcp any any range 70 90", NoMatch},
      // Precedence, TTL and established.
      {"permit ip any any precedence 5", "permit ip any any", NoMatch},
      {"permit ip any any precedence 5", "permit ip any any precedence critical", MatchPermit},
      {"permit ip any any precedence 5", "permit ip any any precedence 4", NoMatch},
      {"permit ip any any ttl gt 10", "permit ip any any ttl eq 14 15", MatchPermit},
      {"permit ip any any ttl gt 10", "permit ip any any ttl range 5 20", NoMatch},
      {"permit tcp any any established", "permit tcp any any", NoMatch},
      // A rule naming an ICMP type covers its codes; one naming a code only that.
      {"permit icmp any any unreachable", "permit icmp any any 3", MatchPermit},
      {"permit icmp any any ttl-exceeded", "permit icmp any any 11", NoMatch},
      {"permit icmp any any 11", "permit icmp any any ttl-exceeded", MatchPermit},
      {"permit icmp any any 0", "permit icmp any any 255", NoMatch},
      {"permit icmp any any echo", "permit icmp any any", NoMatch},
      // Without a rule condition the subject's is never read.
      {"permit tcp any any", "permit tcp any any gt 65535", MatchPermit},
  };
  for (const auto& [rule, subject, outcome] : cases) {
    EXPECT_TRUE(Is(outcome, kPlain(rule, subject))) << rule << " / " << subject;
  }
}

// What narrows an entry narrows what it covers; what only logs or names
// narrows nothing.
TEST(CheckForMatch, EveryFieldThatNarrowsAnEntryNarrowsItsCover) {
  const std::tuple<const char*, const char*, std::uint8_t> cases[] = {
      {"permit ip any any fragments", "permit ip any any", NoMatch},
      {"permit ip any any", "permit ip any any fragments", MatchPermit},
      {"permit ip any any dscp ef", "permit ip any any", NoMatch},
      {"permit ip any any dscp ef", "permit ip any any dscp 46", MatchPermit},
      {"permit ip any any dscp ef", "permit ip any any precedence 5", NoMatch},
      {"permit ip any any precedence 5", "permit ip any any dscp ef", MatchPermit},
      {"permit ip any any precedence 5", "permit ip any any dscp af11", NoMatch},
      {"permit ip any any tos min-delay", "permit ip any any tos 8 precedence 1", MatchPermit},
      {"permit ip any any tos min-delay", "permit ip any any dscp af11", NoMatch},
      {"permit ip any any option lsr", "permit ip any any option 131", MatchPermit},
      {"permit ip any any option lsr", "permit ip any any option ssr", NoMatch},
      {"permit ip any any option lsr", "permit ip any any", NoMatch},
      // TCP flags: established is the packets with ack or rst.
      {"permit tcp any any established", "permit tcp any any ack", MatchPermit},
      {"permit tcp any any established", "permit tcp any any rst", MatchPermit},
      {"permit tcp any any established", "permit tcp any any syn", NoMatch},
      {"permit tcp any any ack", "permit tcp any any established", NoMatch},
      {"permit tcp any any match-any +ack +rst", "permit tcp any any established", MatchPermit},
      {"permit tcp any any syn", "permit tcp any any match-all +syn -ack", MatchPermit},
      {"permit tcp any any match-all +syn -ack", "permit tcp any any syn", NoMatch},
      {"permit tcp any any match-any +syn +fin", "permit tcp any any fin psh", MatchPermit},
      {"permit tcp any any", "permit tcp any any match-any +urg", MatchPermit},
      // Messages of IGMP, ports of SCTP; a protocol by name or number.
      {"permit igmp any any host-query", "permit igmp any any 1", MatchPermit},
      {"permit igmp any any host-query", "permit igmp any any pim", NoMatch},
      {"permit igmp any any host-query", "permit igmp any any", NoMatch},
      {"permit sctp any any eq 80", "permit sctp any any eq 81", NoMatch},
      {"permit sctp any any range 80 90", "permit 132 any any eq 81", MatchPermit},
      {"permit 51 any any", "permit ahp host 1.1.1.1 any", MatchPermit},
      {"permit ahp any any", "permit esp any any", NoMatch},
      // Standard entries are ip entries from the source to anywhere.
      {"permit 10.0.0.0 0.0.0.255", "permit tcp host 10.0.0.7 host 1.1.1.1 eq 80", MatchPermit},
      {"deny 10.0.0.0, wildcard bits 0.0.0.255", "permit ip 10.0.0.0 0.0.0.255 any", MatchDeny},
      {"permit 10.0.0.7", "permit ip 10.0.0.0 0.0.0.255 any", NoMatch},
      {"permit ip host 10.0.0.7 any", "permit 10.0.0.7 log", MatchPermit},
      // Logging, reflect, evaluate and time ranges narrow nothing.
      {"permit tcp any any log-update threshold 3 reflect R timeout 9 time-range T (inactive)",
       "permit tcp any any", MatchPermit},
      {"permit tcp any any evaluate E log-input", "permit tcp any any", MatchPermit},
  };
  for (const auto& [rule, subject, outcome] : cases) {
    EXPECT_TRUE(Is(outcome, kPlain(rule, subject))) << rule << " / " << subject;
  }
}

TEST(CheckForMatch, PortsMatchInPartOnlyWhenAsked) {
  const std::string rule = "permit tcp any any eq 80";
  const std::string incomplete = "Match. Incomplete set of ports";
  EXPECT_TRUE(Is(NoMatch, kAnyOverlap(rule, "permit tcp any any")));
  // The rule's single port lies strictly inside the subject's range: that is
  // no partial match without AnyOverlap (with it, see CheckCondition).
  EXPECT_TRUE(Is(NoMatch, kPartialPorts(rule, "permit tcp any any range 70 90")));
  // An overlap reaching past the subject's range counts without AnyOverlap.
  EXPECT_TRUE(Is(MatchPermit,
                 kPartialPorts("permit tcp any any range 85 100", "permit tcp any any range 70 90"),
                 incomplete));
  EXPECT_TRUE(Is(NoMatch, kAnyOverlap("permit tcp any any neq 80", "permit tcp any any eq 80")));
  // One covered range of the pair is enough.
  EXPECT_TRUE(Is(MatchPermit, kPartialPorts(rule, "permit tcp any any eq 22 80"), incomplete));
}

TEST(CheckForMatch, PartialAddressesDescribeTheSharedPart) {
  const std::string rule = "permit ip 10.1.0.0 0.0.255.255 any";
  const std::string subject = "permit ip 10.0.0.0 0.255.255.255 any";
  const MatchResult partial = kPartialAddresses(rule, subject);
  EXPECT_TRUE(Is(MatchPermit, partial,
                 "Match. Src 65536 hosts from 10.1.0.0 to 10.1.255.255. Dst completely"));
  EXPECT_TRUE(partial.AddrPartial);

  const MatchResult full = kPartialAddresses(rule, rule);
  EXPECT_TRUE(Is(MatchPermit, full));
  EXPECT_FALSE(full.AddrPartial);
  EXPECT_TRUE(Is(NoMatch, kPartialAddresses(rule, "permit ip 11.0.0.0 0.255.255.255 any")));
  EXPECT_TRUE(Is(NoMatch, kPartialAddresses("permit ip any 10.0.0.0 0.0.0.255",
                                            "permit ip any 11.0.0.0 0.0.0.255")));

  const Comparer both{{.PartialPorts = true}, {.PartialAddresses = true}};
  const MatchResult mixed =
      both("deny tcp any host 10.0.0.1 eq 80", "permit tcp any 10.0.0.0 0.0.0.255 range 80 81");
  EXPECT_TRUE(Is(MatchDeny, mixed,
                 "Match. Src completely. Dst 1 hosts from 10.0.0.1 to 10.0.0.1. Incomplete set "
                 "of ports"));
  EXPECT_TRUE(mixed.AddrPartial && mixed.PortsIncomplete);

  // Under partial matching an ICMP condition may be told to skip ip rules.
  const Comparer ignoreIcmp{{}, {.PartialAddresses = true, .IgnoreIcmp = true}};
  EXPECT_TRUE(Is(NoMatch, ignoreIcmp("permit ip any any", "permit icmp any any")));
  const Comparer ignoreIcmpOnly{{}, {.IgnoreIcmp = true}};
  EXPECT_TRUE(Is(MatchPermit, ignoreIcmpOnly("permit ip any any", "permit icmp any any")));
}

// The not-recognised and remark messages, and the wildcard fix, are covered
// where the check reports them.
TEST(CheckForMatch, ProblemsAreReportedForTheLineAtFault) {
  const Comparer netmask{{}, {.MaskType = MaskForm::Netmask, .TextLanguage = Language::Russian}};
  EXPECT_TRUE(Is(MatchError, netmask("permit ip any any", "permit ip any 10.1.1.1 255.255.255.0"),
                 "Неверная комбинация адреса и маски dst в условии\r\nСледует исправить адрес на "
                 "10.1.1.0 или маску на 255.255.255.1"));
  EXPECT_TRUE(Is(MatchError, kPlain("bogus", ""),
                 "A template error occurred while processing the condition"));
  EXPECT_TRUE(Is(MatchError, kPlain("permit ip any any ttl gt 255", "permit ip any any ttl eq 1"),
                 "ACL ttl is gt should be less than 255"));
  EXPECT_TRUE(Is(MatchError, kPlain("permit tcp any any lt 5", "permit tcp any any lt 0"),
                 "condition port lt should be greater than 0"));
  // A reverse check swaps the role words.
  const Comparer reverse{{.ReverseMode = true}, {.TextLanguage = Language::Russian}};
  EXPECT_TRUE(Is(MatchError, reverse("permit tcp any any lt 0", "permit tcp any any lt 5"),
                 "в условии порт lt должен быть больше 0"));
}

}  // namespace
}  // namespace kerbwise

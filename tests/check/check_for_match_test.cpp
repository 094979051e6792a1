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

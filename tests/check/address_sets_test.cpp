// Address set containment and the description of shared addresses, checked
// against a scan of every candidate address.
#include "check/address_sets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "rules/primitives.h"

namespace kerbwise {

void PrintTo(const AddrOverlap& overlap, std::ostream* out) {
  *out << overlap.Count << " from " << ValToIP(overlap.Smallest) << " to "
       << ValToIP(overlap.Largest) << " in " << overlap.Runs << " runs";
}

namespace {

std::uint32_t Ip(const std::string& text) { return IPToVal(text).value(); }

// The scan the results must agree with: every value from the start to the
// end of the interval tested against both sets, a run counted whenever a
// member follows a non-member or opens the scan. Nullopt when the interval is
// too long to walk.
std::optional<AddrOverlap> ScanOverlap(std::uint32_t ruleAddr, std::uint32_t ruleMask,
                                       std::uint32_t subjectAddr, std::uint32_t subjectMask) {
  const std::uint32_t start = subjectMask == 0 ? ruleAddr : (subjectAddr & ruleAddr);
  const std::uint32_t end = (~subjectMask | subjectAddr) & (~ruleMask | ruleAddr);
  if (end >= start && end - start >= (1u << 17)) return std::nullopt;
  AddrOverlap overlap;
  bool previousMember = false;
  for (std::uint64_t value = start; value <= end; ++value) {
    const auto x = static_cast<std::uint32_t>(value);
    const bool member = (x & ruleMask) == ruleAddr && (x & subjectMask) == subjectAddr;
    if (member) {
      if (overlap.Count == 0) overlap.Smallest = x;
      overlap.Largest = x;
      ++overlap.Count;
      if (!previousMember) ++overlap.Runs;
    }
    previousMember = member;
  }
  return overlap;
}

// The text the scan's results give, written independently of AddrPartMatch.
std::string ScanText(const AddrOverlap& scan) {
  if (scan.Count == 0) return "";
  std::string text = std::to_string(scan.Count) + " hosts from " + ValToIP(scan.Smallest) + " to " +
                     ValToIP(scan.Largest);
  if (scan.Runs > 1) {
    text += " " + std::to_string(scan.Runs) + " subnets of " +
            std::to_string(scan.Count / scan.Runs) + " hosts";
  }
  return text;
}

// Masks that fix the top 16 bits or more, contiguous or with holes, so that
// the scan interval stays small enough to walk; now and then "any".
std::uint32_t DrawMask(std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 9);
  const int k = kind(random);
  if (k == 0) return 0;
  const std::uint32_t prefix = ~std::uint32_t{0}
                               << std::uniform_int_distribution<int>(0, 16)(random);
  if (k < 5) return prefix;
  return 0xFFFF0000u | (prefix & static_cast<std::uint32_t>(random()));
}

TEST(AddrPartMatch, AgreesWithTheScanOnRandomPairs) {
  std::mt19937 random(20240611);
  int compared = 0;
  int shared = 0;
  int split = 0;
  while (compared < 3000) {
    const std::uint32_t ruleMask = DrawMask(random);
    const std::uint32_t subjectMask = DrawMask(random);
    const std::uint32_t base = static_cast<std::uint32_t>(random());
    std::uint32_t ruleAddr = base & ruleMask;
    std::uint32_t subjectAddr =
        (base ^ (static_cast<std::uint32_t>(random()) & 0x3u)) & subjectMask;
    if (random() % 20 == 0) ruleAddr |= ~ruleMask & static_cast<std::uint32_t>(random());
    if (random() % 20 == 0) subjectAddr |= ~subjectMask & static_cast<std::uint32_t>(random());
    const std::optional<AddrOverlap> scanned =
        ScanOverlap(ruleAddr, ruleMask, subjectAddr, subjectMask);
    if (!scanned) continue;
    const AddrOverlap& scan = *scanned;
    SCOPED_TRACE(ValToIP(ruleAddr) + " " + ValToIP(ruleMask) + " / " + ValToIP(subjectAddr) + " " +
                 ValToIP(subjectMask));
    ASSERT_EQ(MeasureAddrOverlap(ruleAddr, ruleMask, subjectAddr, subjectMask), scan);
    ASSERT_EQ(AddrPartMatch(ruleAddr, ruleMask, subjectAddr, subjectMask, false), ScanText(scan));
    ++compared;
    shared += scan.Count > 0;
    split += scan.Runs > 1;
  }
  // The draw must exercise shared and split overlaps, not only disjoint sets.
  EXPECT_GT(shared, 1000);
  EXPECT_GT(split, 300);
}

// What the random pairs do not reach: Russian text and sets too large to scan.
TEST(AddrPartMatch, RussianTextAndLargeSets) {
  EXPECT_EQ(
      AddrPartMatch(Ip("10.0.0.0"), Ip("255.255.0.0"), Ip("10.0.0.0"), Ip("255.0.0.255"), true),
      "256 хостов с 10.0.0.0 по 10.0.255.0 256 сетей по 1 хостов");
  // Half the address space against every address: one block.
  EXPECT_EQ(AddrPartMatch(Ip("128.0.0.0"), Ip("128.0.0.0"), 0, 0, false),
            "2147483648 hosts from 128.0.0.0 to 255.255.255.255");
  // Every address shared: the count is 2^32, not a wrapped 0.
  EXPECT_EQ(MeasureAddrOverlap(0, 0, 0, 0),
            (AddrOverlap{std::uint64_t{1} << 32, 0, 0xFFFFFFFFu, 1}));
  // Only the lowest bit fixed: every other address, 2^31 blocks of one.
  EXPECT_EQ(AddrPartMatch(1, 1, 0, 0, false),
            "2147483648 hosts from 0.0.0.1 to 255.255.255.255 2147483648 subnets of 1 hosts");
}

}  // namespace
}  // namespace kerbwise

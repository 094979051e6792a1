// The description of shared addresses. Its agreement with a scan over every
// candidate address is checked by the addr_overlap fuzz target.
#include "rules/address_sets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "rules/primitives.h"

namespace kerbwise {

void PrintTo(const AddrOverlap& overlap, std::ostream* out) {
  *out << overlap.Count << " from " << ValToIP(overlap.Smallest) << " to "
       << ValToIP(overlap.Largest) << " in " << overlap.Runs << " runs";
}

namespace {

std::uint32_t Ip(const std::string& text) { return IPToVal(text).value(); }

// The Russian text, and sets too large for a scan over every address.
TEST(AddrPartMatch, RussianTextAndLargeSets) {
  EXPECT_EQ(AddrPartMatch(Ip("10.0.0.0"), Ip("255.255.0.0"), Ip("10.0.0.0"), Ip("255.0.0.255"),
                          Language::Russian),
            "256 хостов с 10.0.0.0 по 10.0.255.0 256 сетей по 1 хостов");
  // Half the address space against every address: one block.
  EXPECT_EQ(AddrPartMatch(Ip("128.0.0.0"), Ip("128.0.0.0"), 0, 0, Language::English),
            "2147483648 hosts from 128.0.0.0 to 255.255.255.255");
  // Every address shared: the count is 2^32, not a wrapped 0.
  EXPECT_EQ(MeasureAddrOverlap(0, 0, 0, 0),
            (AddrOverlap{std::uint64_t{1} << 32, 0, 0xFFFFFFFFu, 1}));
  // Only the lowest bit fixed: every other address, 2^31 blocks of one.
  EXPECT_EQ(AddrPartMatch(1, 1, 0, 0, Language::English),
            "2147483648 hosts from 0.0.0.1 to 255.255.255.255 2147483648 subnets of 1 hosts");
}

}  // namespace
}  // namespace kerbwise

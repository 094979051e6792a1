// The reference of port and ICMP message names.
#include "reference/names_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kerbwise {
namespace {

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

TEST(NamesReference, BuiltInTablesInColumns) {
  const std::vector<std::string> lines = NamesReference();
  ASSERT_EQ(lines.size(), 49u + 1 + 36 + 1 + 23);
  const std::vector<std::string> tcp(lines.begin(), lines.begin() + 49);
  const std::vector<std::string> udp(lines.begin() + 50, lines.begin() + 86);
  const std::vector<std::string> icmp(lines.begin() + 87, lines.end());
  EXPECT_EQ(lines[49] + lines[86], "");

  EXPECT_EQ(tcp[0], "Alias" + Blanks(12) + "Num");
  EXPECT_EQ(udp[0], "Alias" + Blanks(14) + "Num");
  for (const auto* section : {&tcp, &udp}) {  // sorted, a name before the longer ones it begins
    EXPECT_TRUE(std::is_sorted(section->begin() + 2, section->end()));
  }

  EXPECT_EQ(icmp[0], "Alias" + Blanks(21) + "Type Code");
  EXPECT_EQ(icmp[11], "ICMP ttl-exceeded" + Blanks(9) + "11   0");
}

TEST(NamesReference, ColumnsFollowTheTablesButHoldTheirHeaders) {
  const std::vector<NameEntry> ports = {{"C", "3"}, {"b", "2"}};
  const std::vector<NameEntry> icmp = {{"x", "768"}};
  EXPECT_EQ(
      NamesReference(ports, {}, icmp),
      (std::vector<std::string>{"Alias     Num", "-------------", "TCP b       2", "TCP C       3",
                                "", "Alias     Num", "-------------", "", "Alias      Type Code",
                                std::string(20, '-'), "ICMP x     3    0"}));
}

}  // namespace
}  // namespace kerbwise

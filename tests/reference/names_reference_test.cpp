// The reference of port and ICMP message names.
#include "reference/names_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kerbwise {
namespace {

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

// The lines of the section that starts with the header at `first`, up to the
// empty line after it or the end.
std::vector<std::string> Section(const std::vector<std::string>& lines, std::size_t first) {
  const auto end = std::find(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end(), "");
  return {lines.begin() + static_cast<std::ptrdiff_t>(first), end};
}

TEST(NamesReference, PortSectionsAreSortedWithRightAlignedNumbers) {
  const std::vector<std::string> lines = NamesReference();
  const std::vector<std::string> tcp = Section(lines, 0);
  const std::vector<std::string> udp = Section(lines, tcp.size() + 1);
  ASSERT_EQ(tcp.size(), 2u + 47u);
  ASSERT_EQ(udp.size(), 2u + 34u);

  EXPECT_EQ(tcp[0], "Alias" + Blanks(12) + "Num");
  EXPECT_EQ(tcp[1], std::string(20, '-'));
  EXPECT_EQ(tcp[2], "TCP bgp" + Blanks(10) + "179");
  EXPECT_EQ(tcp[3], "TCP chargen" + Blanks(7) + "19");
  EXPECT_EQ(tcp.back(), "TCP www" + Blanks(11) + "80");
  EXPECT_EQ(udp[0], "Alias" + Blanks(14) + "Num");
  EXPECT_EQ(udp[2], "UDP biff" + Blanks(11) + "512");

  for (const std::vector<std::string>* section : {&tcp, &udp}) {
    EXPECT_TRUE(std::is_sorted(section->begin() + 2, section->end()));
    for (const std::string& line : *section) EXPECT_EQ(line.size(), section->front().size());
  }
  // One port, three names; a name sorts before the longer names it begins.
  for (const char* row : {"TCP cmd", "TCP rsh", "TCP syslog"}) {
    const std::string expected = row + Blanks(16 - (std::string(row).size() - 4) - 3) + "514";
    EXPECT_NE(std::find(tcp.begin(), tcp.end(), expected), tcp.end()) << row;
  }
  const auto ftp = std::find(tcp.begin(), tcp.end(), "TCP ftp" + Blanks(11) + "21");
  ASSERT_NE(ftp, tcp.end());
  EXPECT_EQ(*(ftp + 1), "TCP ftp-data" + Blanks(6) + "20");
}

TEST(NamesReference, IcmpSectionKeepsTableOrderWithCodesOnlyWhereTheyAreFixed) {
  const std::vector<std::string> lines = NamesReference();
  ASSERT_EQ(lines.size(), 49u + 1 + 36 + 1 + 2 + 21);
  ASSERT_EQ(lines[86], "");
  const std::vector<std::string> icmp(lines.begin() + 87, lines.end());
  EXPECT_EQ(icmp[0], "Alias" + Blanks(21) + "Type Code");
  EXPECT_EQ(icmp[1], std::string(35, '-'));
  EXPECT_EQ(icmp[2], "ICMP echo-reply" + Blanks(11) + "0    -");
  EXPECT_EQ(icmp.back(), "ICMP mobile-redirect" + Blanks(6) + "32   -");
  EXPECT_EQ(icmp[11], "ICMP ttl-exceeded" + Blanks(9) + "11   0");
  EXPECT_EQ(icmp[12], "ICMP reassembly-timeout" + Blanks(3) + "11   1");
  const auto withCode = std::count_if(icmp.begin() + 2, icmp.end(),
                                      [](const std::string& row) { return row.back() != '-'; });
  EXPECT_EQ(withCode, 2);
}

TEST(NamesReference, ColumnsFollowTheTablesButHoldTheirHeaders) {
  const std::vector<NameEntry> ports = {{"C", "3"}, {"b", "2"}};
  const std::vector<NameEntry> icmp = {{"x", "768"}};
  EXPECT_EQ(
      NamesReference(ports, {}, icmp),
      (std::vector<std::string>{"Alias     Num", "-------------", "TCP b       2", "TCP C       3",
                                "", "Alias     Num", "-------------", "", "Alias      Type Code",
                                std::string(20, '-'), "ICMP x     3    0"}));
  EXPECT_EQ(NamesReferenceCaption(false), "ports and ICMP codes names");
  EXPECT_EQ(NamesReferenceCaption(true), "имена портов и кодов ICMP");
}

}  // namespace
}  // namespace kerbwise

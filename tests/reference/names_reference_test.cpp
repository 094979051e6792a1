// The reference of port and ICMP message names.
#include "reference/names_reference.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

// The built-in tables are shown by the names command's test.
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

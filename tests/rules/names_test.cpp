// The protocol name tables and CompareElement, which matches one template
// element against one word of an entry.
#include <gtest/gtest.h>

#include <string>

#include "rules/compare_element.h"
#include "rules/name_tables.h"

namespace kerbwise {
namespace {

TEST(NameTables, LookUpIsExactAndPerTable) {
  for (const char* name : {"cmd", "rsh", "syslog"}) {
    EXPECT_EQ(LookUpName(TcpPortNames(), name), "514");
  }
  EXPECT_EQ(LookUpName(IcmpMessageNames(), "ttl-exceeded"), "2816");
  EXPECT_EQ(LookUpName(IcmpMessageNames(), "reassembly-timeout"), "2817");
  EXPECT_EQ(LookUpName(IcmpMessageNames(), "time-exceeded"), "11");
  EXPECT_EQ(LookUpName(IcmpMessageNames(), "echo"), "8");
  EXPECT_EQ(LookUpName(PrecedenceNames(), "flash-override"), "4");
  // No abbreviations and no prefixes.
  for (const char* name : {"ec", "ech", "echo-", "ww", "", "smtp "}) {
    EXPECT_FALSE(LookUpName(TcpPortNames(), name)) << name;
  }
}

TEST(NameTables, IcmpReplyPairs) {
  EXPECT_EQ(IcmpReplyName("30"), "traceroute");  // answers itself
  EXPECT_EQ(IcmpReplyName("0"), "echo");
  EXPECT_EQ(IcmpReplyName("8"), "echo-reply");
  EXPECT_EQ(IcmpReplyName("13"), "timestamp-reply");
  ASSERT_TRUE(IcmpReplyName("3"));
  EXPECT_EQ(IcmpReplyName("3"), "");  // unreachable has no answer
  EXPECT_EQ(IcmpReplyName("2816"), "");
  EXPECT_FALSE(IcmpReplyName("99"));
  EXPECT_FALSE(IcmpReplyName("08"));  // the value text is compared as it stands
}

struct ElementCase {
  std::string element;
  std::string token;
  std::string kind;  // empty: no match
  std::string value;
};

void ExpectMatches(const std::vector<ElementCase>& cases) {
  for (const ElementCase& c : cases) {
    const ElementMatch match = CompareElement(c.element, c.token);
    EXPECT_EQ(match.kind, c.kind) << c.element << " / " << c.token;
    if (!c.kind.empty()) {
      EXPECT_EQ(match.value, c.value) << c.element << " / " << c.token;
    }
  }
}

TEST(CompareElement, KeywordsMatchInAnyLetterCase) {
  ExpectMatches({
      {"permit", "permit", "permit", ""},
      {"permit", "PeRmIt", "permit", ""},
      {"log-input", "LOG-INPUT", "log-input", ""},
      {"permit", "permits", "", ""},
      {"log", "log-input", "", ""},
      {"any", "", "", ""},
      {"foo", "foo", "", ""},  // a word outside the vocabulary never matches
  });
}

TEST(CompareElement, AddressesMasksAndPrefixes) {
  ExpectMatches({
      {"addr", "10.0.0.1", "addr", "167772161"},
      {"mask", "0.0.0.255", "mask", "255"},
      {"addr", "10.0.0", "", ""},
      {"cidr", "1.2.3.4/8", "cidr", "16909060/4278190080"},
      {"cidr", "10.0.0.0/0", "cidr", "167772160/0"},
      {"cidr", "1.2.3.4/32", "cidr", "16909060/4294967295"},
      {"cidr", "1.2.3.4/33", "", ""},
      {"cidr", "1.2.3.4/-1", "", ""},
      {"cidr", "1.2.3.4/", "", ""},
      {"cidr", "1.2.3/8", "", ""},
      {"cidr", "1.2.3.4", "", ""},
      {"cidr", "1.2.3.4/99999999999999999999", "", ""},
      // The prefix length is read from all of the text after the "/".
      {"cidr", "1.2.3.4/" + std::string(100, '0') + "24", "cidr", "16909060/4294967040"},
      {"cidr", "1.2.3.4/" + std::string(100, '0') + "33", "", ""},
  });
}

TEST(CompareElement, PortsByNameOrNumber) {
  ExpectMatches({
      {"tp", "www", "tp", "80"},
      {"tp", "WWW", "tp", "80"},
      {"tp", "sqlnet", "tp", "1521"},
      {"tp", "ntp", "", ""},
      {"up", "ntp", "up", "123"},
      {"up", "sqlnet", "", ""},
      {"up", "https", "", ""},
      {"tp", "65535", "tp", "65535"},
      {"tp", "65536", "", ""},
      {"tp", "99999", "", ""},
      {"tp", "100000", "", ""},
      {"tp", "0080", "tp", "80"},
      {"tp", "00080", "tp", "80"},
      {"tp", "000080", "", ""},  // six characters
      {"tp", "$50", "tp", "80"},
      {"tp", "-1", "", ""},
  });
}

TEST(CompareElement, BytesMessagesPrecedencesAndNames) {
  ExpectMatches({
      {"byte", "255", "byte", "255"},
      {"byte", "256", "", ""},
      {"byte", "0255", "", ""},
      {"imsg", "ttl-exceeded", "imsg", "2816"},
      {"imsg", "echo-reply", "imsg", "0"},
      {"imsg", "ECHO", "imsg", "8"},
      {"imsg", "8", "imsg", "8"},
      {"imsg", "256", "", ""},
      {"prcdn", "critical", "prcdn", "5"},
      {"prcdn", "5", "prcdn", "5"},
      {"prcdn", "8", "", ""},
      {"prcdn", "05", "", ""},  // one digit only
      {"str256", "Office-Hours", "str256", "Office-Hours"},
      {"str256", "a?b", "", ""},
      {"str256", std::string(256, 'x'), "str256", std::string(256, 'x')},
      {"str256", std::string(257, 'x'), "", ""},
  });
}

TEST(CompareElement, NumberLiteralsAllowUpToEightLeadingZeros) {
  ExpectMatches({
      {"6", "6", "val", "6"},
      {"6", "006", "val", "6"},
      {"6", "000000006", "val", "6"},
      {"6", "0000000006", "", ""},
      {"17", "017", "val", "17"},
      {"6", "60", "", ""},
      {"6", "$6", "", ""},
      {"-5", "-5", "", ""},  // the literal itself must be a number of 0 or more
  });
}

}  // namespace
}  // namespace kerbwise

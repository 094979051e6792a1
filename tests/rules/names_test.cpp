// The protocol name tables and CompareElement, which matches one template
// element against one word of an entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/compare_element.h"
#include "rules/name_tables.h"

namespace kerbwise {
namespace {

TEST(NameTables, LookUpIsExactAndIcmpRepliesAreTextAsItStands) {
  EXPECT_EQ(LookUpName(TcpPortNames(), "syslog"), "514");  // one value may have several names
  for (const char* name : {"ec", "echo-", "", "smtp "}) {  // no abbreviations and no prefixes
    EXPECT_FALSE(LookUpName(TcpPortNames(), name)) << name;
  }
  EXPECT_EQ(IcmpReplyName("30"), "traceroute");  // answers itself
  EXPECT_EQ(IcmpReplyName("8"), "echo-reply");
  ASSERT_TRUE(IcmpReplyName("3"));
  EXPECT_EQ(IcmpReplyName("3"), "");  // unreachable has no answer
  EXPECT_FALSE(IcmpReplyName("99"));
  EXPECT_FALSE(IcmpReplyName("08"));  // the value text is compared as it stands
}

TEST(CompareElement, EachElementKindReadsItsWords) {
  struct Case {
    std::string element, token, value;
  };
  const std::string zeros(100, '0');  // the prefix length is read from all the text after "/"
  const std::vector<Case> cases = {
      {"log-input", "LOG-INPUT", ""},  // keywords in any letter case
      {"addr", "10.0.0.1", "167772161"},
      {"mask", "0.0.0.255", "255"},
      {"cidr", "1.2.3.4/8", "16909060/4278190080"},
      {"cidr", "10.0.0.0/0", "167772160/0"},
      {"cidr", "1.2.3.4/" + zeros + "24", "16909060/4294967040"},
      {"tp", "sqlnet", "1521"},  // ports by the name of their own protocol
      {"tp", "snmp", "161"},     // or by the name lists print for the other one
      {"up", "sqlnet", "1521"},
      {"tp", "65535", "65535"},
      {"tp", "00080", "80"},
      {"byte", "255", "255"},
      {"imsg", "ECHO", "8"},
      {"prcdn", "critical", "5"},
      {"str256", std::string(256, 'x'), std::string(256, 'x')},
      {"haddr", "10.0.0.1", "167772161"},
      {"caddr", "10.0.0.1,", "167772161"},
      {"wild", "0.0.0.255", "255"},
      {"proto", "255", "255"},
      {"igmsg", "v2-leave", "23"},
      {"igmsg", "1", "17"},  // a number is the type's low half
      {"dscpv", "EF", "46"},
      {"dscpv", "63", "63"},
      {"tosv", "min-delay", "8"},
      {"ipopt", "router-alert", "148"},
      {"tflag", "SYN", "syn"},
      {"sflag", "-ack", "-ack"},
      {"trstate", "(inactive)", ""},
      {"count", "2147483647", "2147483647"},
  };
  for (const Case& c : cases) {
    const ElementMatch match = CompareElement(c.element, c.token);
    EXPECT_EQ(match.kind, c.element) << c.token;
    EXPECT_EQ(match.value, c.value) << c.element << " / " << c.token;
  }
  // Number literals match the same number with up to eight leading zeros.
  for (const auto& [element, token] : {std::pair{"6", "6"}, {"6", "000000006"}, {"17", "017"}}) {
    EXPECT_EQ(CompareElement(element, token).kind, "val") << token;
    EXPECT_EQ(CompareElement(element, token).value, element) << token;
  }

  const std::vector<std::pair<std::string, std::vector<std::string>>> refused = {
      {"permit", {"permits", "permi", ""}},
      {"foo", {"foo"}},  // a word outside the vocabulary never matches
      {"addr", {"10.0.0"}},
      {"cidr",
       {"1.2.3.4/33", "1.2.3.4/" + zeros + "33", "1.2.3.4/-1", "1.2.3.4/", "1.2.3/8", "1.2.3.4",
        "1.2.3.4/99999999999999999999"}},
      {"tp", {"ntpd", "65536", "000080", "-1"}},
      {"caddr", {"10.0.0.1", ","}},
      {"proto", {"256"}},
      {"igmsg", {"16", "echo"}},
      {"dscpv", {"64", "af44"}},
      {"tosv", {"16"}},
      {"tflag", {"+syn", "ece"}},
      {"sflag", {"syn", "+", "+foo"}},
      {"trstate", {"active"}},
      {"count", {"2147483648"}},
      {"byte", {"256", "0255"}},
      {"imsg", {"256"}},
      {"prcdn", {"8", "05"}},
      {"str256", {"a?b", std::string(257, 'x')}},
      {"6", {"0000000006", "60", "$6"}},
      {"-5", {"-5"}},  // the literal itself must be a number of 0 or more
  };
  for (const auto& [element, tokens] : refused) {
    for (const std::string& token : tokens) {
      EXPECT_EQ(CompareElement(element, token).kind, "") << element << " / " << token;
    }
  }
}

}  // namespace
}  // namespace kerbwise

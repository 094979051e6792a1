// The reflected list: mirrored rules for the return traffic, and the marked
// lines that stand in for lines that are not rules. That reflecting a rule
// twice gives it back is the reflect fuzz target's to check.
#include "reflect/reflect_acl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

TEST(ReflectACL, MirrorsSidesWithPortsAnswersIcmpAndKeepsOptions) {
  std::string ports;  // more than 255 characters of port numbers, kept whole
  for (int port = 10000; port < 10060; ++port) ports += " " + std::to_string(port);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {" 20 permit tcp 10.1.0.0 0.0.255.255 host 192.168.1.5 eq 443 established log",
       "permit tcp host 192.168.1.5 eq 443 10.1.0.0 0.0.255.255 log"},
      {"030 deny udp host 1.1.1.1 range bootps bootpc any eq domain",
       "deny udp any eq 53 host 1.1.1.1 range 67 68"},
      {"10 permit tcp 10.0.0.0/8 any eq" + ports,
       "permit tcp any eq" + ports + " 10.0.0.0 0.255.255.255"},
      {"10 permit ip any any precedence critical ttl lt 5 time-range Office log-input",
       "permit ip any any precedence 5 ttl lt 5 time-range Office log-input"},
      {"10 permit ip 0.0.0.0 0.255.255.255 any", "permit ip any 0.0.0.0 0.255.255.255"},
      {"10 permit ip host 0.0.0.0 0.0.0.0 255.255.255.255", "permit ip any host 0.0.0.0"},
      {"10 permit 6 any host 2.2.2.2", "permit tcp host 2.2.2.2 any"},
      {"10 permit icmp any host 10.0.0.1 echo", "permit icmp host 10.0.0.1 any echo-reply"},
      {"10 permit icmp any any traceroute", "permit icmp any any traceroute"},
      {"10 permit icmp any any 13", "permit icmp any any timestamp-reply"},
      {"10 permit icmp any any ttl-exceeded log", "permit icmp any any log"},  // no answer
      // A standard entry gives the extended return entry; flags, IGMP
      // messages and reflect names have no mirror, the other fields stay.
      {"10 permit 10.0.10.0, wildcard bits 0.255.0.255 log",
       "permit ip any 10.0.10.0 0.255.0.255 log"},
      {"20 deny 172.16.191.199", "deny ip any host 172.16.191.199"},
      {"10 permit tcp any any eq 80 match-all +syn -ack dscp ef fragments reflect R timeout 9",
       "permit tcp any eq 80 any dscp 46 fragments"},
      {"10 permit igmp any any host-query option lsr", "permit igmp any any option 131"},
      {"10 permit 51 any any log-update threshold 2", "permit ahp any any log-update threshold 2"},
  };
  for (const auto& [line, reflected] : cases) {
    EXPECT_EQ(ReflectACL({line}, CheckOptions{}), std::vector<std::string>{reflected}) << line;
  }

  const CheckOptions netmask{.MaskType = MaskForm::Netmask};
  EXPECT_EQ(ReflectACL({"10 permit ip 10.1.0.0 255.255.0.0 0.0.0.0 255.0.0.0"}, netmask),
            std::vector<std::string>{"permit ip 0.0.0.0 255.0.0.0 10.1.0.0 255.255.0.0"});
}

TEST(ReflectACL, MarksLinesThatAreNotRulesInTheOptionsLanguage) {
  const std::vector<std::string> list = {" 10 remark   whatever it says",
                                         " 20 permit nvp any   any", "  30",
                                         " 040  deny ip any host 1.1.1.1"};
  EXPECT_EQ(ReflectACL(list, CheckOptions{}),
            (std::vector<std::string>{"-remark ", "-not recognized: permit nvp any any",
                                      "-template error: ", "deny ip host 1.1.1.1 any"}));
  const std::vector<std::string> russian =
      ReflectACL(list, CheckOptions{.TextLanguage = Language::Russian});
  EXPECT_EQ(russian[1], "-не опознано: permit nvp any any");
  EXPECT_EQ(russian[2], "-ошибка шаблона: ");
  EXPECT_TRUE(ReflectACL({}, CheckOptions{}).empty());
}

}  // namespace
}  // namespace kerbwise

// The reflected list: mirrored rules for the return traffic, and the marked
// lines that stand in for lines that are not rules.
#include "reflect/reflect_acl.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "intake/normalize_acl.h"
#include "rules/list_entry.h"

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
      {"10 deny 4 any any", "deny ipinip any any"},
      {"10 permit icmp any host 10.0.0.1 echo", "permit icmp host 10.0.0.1 any echo-reply"},
      {"10 permit icmp any any echo-reply", "permit icmp any any echo"},
      {"10 permit icmp any any traceroute", "permit icmp any any traceroute"},
      {"10 permit icmp any any 13", "permit icmp any any timestamp-reply"},
      {"10 permit icmp any any router-solicitation", "permit icmp any any router-advertisement"},
      {"10 permit icmp any any unreachable", "permit icmp any any"},  // no answer
      {"10 permit icmp any any ttl-exceeded log", "permit icmp any any log"},
      {"10 permit icmp any any 40", "permit icmp any any"},  // not in the table
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
                                         " 20 permit ahp any   any", "  30",
                                         " 040  deny ip any host 1.1.1.1"};
  EXPECT_EQ(ReflectACL(list, CheckOptions{}),
            (std::vector<std::string>{"-remark ", "-not recognized: permit ahp any any",
                                      "-template error: ", "deny ip host 1.1.1.1 any"}));
  const std::vector<std::string> russian = ReflectACL(list, CheckOptions{.Russian = true});
  EXPECT_EQ(russian[1], "-не опознано: permit ahp any any");
  EXPECT_EQ(russian[2], "-ошибка шаблона: ");
  EXPECT_TRUE(ReflectACL({}, CheckOptions{}).empty());
}

// Reflecting twice gives the rule back, but for what reflection changes on
// purpose (ICMP messages and "established").
TEST(ReflectACL, RealWorldListKeepsItsLinesAndReflectsBackToItself) {
  const std::string path = std::string(KERBWISE_REALWORLD_DIR) + "/show-access-lists-mixed.txt";
  std::ifstream file(path);
  if (!file) GTEST_SKIP() << "no real-world samples at " << path;
  std::vector<std::string> source;
  for (std::string line; std::getline(file, line);) source.push_back(line);
  struct Renumber final : AnswerSource {
    bool Ask(const YesNoQuestion&) override { return true; }
  } renumber;
  const CheckOptions options;
  const std::vector<std::string> list = NormalizeACL(source, {}, options, renumber).ListLines;
  ASSERT_GT(list.size(), 60u);

  LineRecognizer recognizer;
  const std::vector<std::string> once = ReflectACL(list, options, recognizer);
  ASSERT_EQ(once.size(), list.size());
  const std::vector<std::string> twice = ReflectACL(once, options, recognizer);
  std::size_t compared = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TExpr original = *recognizer.ExprCheck(ListEntryText(list[i]), options);
    if (once[i].front() == '-' || !original.Values.Get(SideNone, SlotPort).empty() ||
        !original.Values.Get(SideNone, SlotEstablished).empty()) {
      continue;
    }
    ++compared;
    EXPECT_EQ(*recognizer.ExprCheck(twice[i], options), original) << list[i];
  }
  EXPECT_GT(compared, 50u);
}

}  // namespace
}  // namespace kerbwise

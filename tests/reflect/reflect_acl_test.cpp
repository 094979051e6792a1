// The reflected list: mirrored rules for the return traffic, and the marked
// lines that stand in for lines that are not rules.
#include "reflect/reflect_acl.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "intake/normalize_acl.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

struct Case {
  std::string line;
  std::string reflected;
};

std::string ReflectOne(const std::string& line, const CheckOptions& options = {}) {
  const std::vector<std::string> lines = ReflectACL({line}, options);
  return lines.size() == 1 ? lines.front() : "<" + std::to_string(lines.size()) + " lines>";
}

TEST(ReflectACL, SwapsTheSidesWithTheirPortsAndKeepsTheOptions) {
  const std::vector<Case> cases = {
      {" 20 permit tcp 10.1.0.0 0.0.255.255 host 192.168.1.5 eq 443 established log",
       "permit tcp host 192.168.1.5 eq 443 10.1.0.0 0.0.255.255 log"},
      {"30 deny udp host 1.1.1.1 range bootps bootpc any eq domain",
       "deny udp any eq 53 host 1.1.1.1 range 67 68"},
      {"40 permit tcp 10.0.0.0/8 gt 1023 any neq 22 23",
       "permit tcp any neq 22 23 10.0.0.0 0.255.255.255 gt 1023"},
      {"50 permit ip any any precedence critical ttl lt 5 time-range Office log-input",
       "permit ip any any precedence 5 ttl lt 5 time-range Office log-input"},
      {"60 permit ip 0.0.0.0 0.255.255.255 any", "permit ip any 0.0.0.0 0.255.255.255"},
      {"70 permit 6 any host 2.2.2.2", "permit tcp host 2.2.2.2 any"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReflectOne(c.line), c.reflected) << c.line;
}

TEST(ReflectACL, WritesEveryProtocolByItsWord) {
  for (const char* protocol :
       {"ip", "tcp", "udp", "icmp", "gre", "esp", "eigrp", "ospf", "ipinip"}) {
    EXPECT_EQ(ReflectOne(std::string("10 deny ") + protocol + " host 1.2.3.4 any"),
              std::string("deny ") + protocol + " any host 1.2.3.4");
  }
}

TEST(ReflectACL, TurnsIcmpRequestsIntoRepliesAndDropsMessagesWithoutOne) {
  const std::vector<Case> cases = {
      {"10 permit icmp any host 10.0.0.1 echo", "permit icmp host 10.0.0.1 any echo-reply"},
      {"10 permit icmp any any echo-reply", "permit icmp any any echo"},
      {"10 permit icmp any any traceroute", "permit icmp any any traceroute"},
      {"10 permit icmp any any 13", "permit icmp any any timestamp-reply"},
      {"10 permit icmp any any router-solicitation", "permit icmp any any router-advertisement"},
      {"10 permit icmp any any unreachable", "permit icmp any any"},
      {"10 permit icmp any any ttl-exceeded log", "permit icmp any any log"},
      {"10 permit icmp any any 40", "permit icmp any any"},  // not in the table
  };
  for (const Case& c : cases) EXPECT_EQ(ReflectOne(c.line), c.reflected) << c.line;
}

TEST(ReflectACL, WritesMasksAsTheMaskTypeSays) {
  CheckOptions netmask;
  netmask.MaskType = MaskForm::Netmask;
  EXPECT_EQ(ReflectOne("10 permit ip 10.1.0.0 255.255.0.0 0.0.0.0 255.0.0.0", netmask),
            "permit ip 0.0.0.0 255.0.0.0 10.1.0.0 255.255.0.0");
  EXPECT_EQ(ReflectOne("10 permit ip 10.1.0.0 0.0.255.255 host 3.3.3.3"),
            "permit ip host 3.3.3.3 10.1.0.0 0.0.255.255");
  EXPECT_EQ(ReflectOne("10 permit ip 10.1.0.0/16 any", netmask),
            "permit ip any 10.1.0.0 255.255.0.0");
}

TEST(ReflectACL, MarksLinesThatAreNotRulesInTheOptionsLanguage) {
  CheckOptions russian;
  russian.Russian = true;
  const std::vector<std::string> list = {
      " 10 remark   whatever it says", " 20 permit ahp any   any", "  30", "", "permit ip any any",
      " 040  deny ip any host 1.1.1.1"};
  EXPECT_EQ(ReflectACL(list, CheckOptions{}),
            (std::vector<std::string>{"-remark ", "-not recognized: permit ahp any any",
                                      "-template error: ", "-template error: ", "permit ip any any",
                                      "deny ip host 1.1.1.1 any"}));
  EXPECT_EQ(ReflectACL(list, russian)[1], "-не опознано: permit ahp any any");
  EXPECT_EQ(ReflectACL(list, russian)[2], "-ошибка шаблона: ");
  EXPECT_TRUE(ReflectACL({}, CheckOptions{}).empty());
  EXPECT_EQ(ReflectCaption(false), "Reflect");
  EXPECT_EQ(ReflectCaption(true), "Отражение");
}

TEST(ReflectACL, KeepsLongPortListsWhole) {
  std::string ports;
  for (int port = 10000; port < 10100; ++port) ports += " " + std::to_string(port);
  EXPECT_EQ(ReflectOne("10 permit tcp any host 1.1.1.1 eq" + ports),
            "permit tcp host 1.1.1.1 eq" + ports + " any");
}

// Normalises a list text, renumbering it when its numbering is inconsistent.
std::vector<std::string> NormalisedList(const std::string& text, const std::string& objects = "") {
  struct Renumber final : AnswerSource {
    bool Ask(const YesNoQuestion&) override { return true; }
  } answers;
  auto split = [](const std::string& all) {
    std::vector<std::string> lines;
    std::string line;
    for (std::istringstream in(all); std::getline(in, line);) lines.push_back(line);
    return lines;
  };
  return NormalizeACL(split(text), split(objects), CheckOptions{}, answers).ListLines;
}

TEST(ReflectACL, ReflectsEveryEntryExpandedFromAnObjectGroup) {
  const std::vector<std::string> list =
      NormalisedList("ip access-list extended WEB\n10 permit tcp object-group HOSTS any eq 80\n",
                     "object-group network HOSTS\n host 10.0.0.1\n host 10.0.0.2\n");
  EXPECT_EQ(ReflectACL(list, CheckOptions{}),
            (std::vector<std::string>{"permit tcp any eq 80 host 10.0.0.1",
                                      "permit tcp any eq 80 host 10.0.0.2"}));
}

// Reflecting twice gives back the rule, except for what reflection changes on
// purpose (ICMP messages and "established").
TEST(ReflectACL, RealWorldListKeepsItsLinesAndReflectsBackToItself) {
  const std::string path = std::string(KERBWISE_REALWORLD_DIR) + "/show-access-lists-mixed.txt";
  std::ifstream file(path);
  if (!file) GTEST_SKIP() << "no real-world samples at " << path;
  std::stringstream text;
  text << file.rdbuf();
  const std::vector<std::string> list = NormalisedList(text.str());
  ASSERT_GT(list.size(), 60u);

  const CheckOptions options;
  LineRecognizer recognizer;
  const std::vector<std::string> once = ReflectACL(list, options, recognizer);
  ASSERT_EQ(once.size(), list.size());
  const std::vector<std::string> twice = ReflectACL(once, options, recognizer);
  std::size_t rules = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (once[i].front() == '-') continue;
    const std::string entry(TrimControls(list[i]).substr(TrimControls(list[i]).find(' ') + 1));
    const TExpr original = *recognizer.ExprCheck(SpaceCompress(entry), options);
    if (!original.Values.Get(SideNone, SlotPort).empty() ||
        !original.Values.Get(SideNone, SlotEstablished).empty()) {
      continue;
    }
    ++rules;
    EXPECT_EQ(*recognizer.ExprCheck(twice[i], options), original) << list[i];
  }
  EXPECT_GT(rules, 50u);
}

}  // namespace
}  // namespace kerbwise

#include "intake/object_expander.h"

#include <gtest/gtest.h>

#include "presentation/intake_messages.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

// Expands one entry against an object pane.
LineExpansion Expand(const std::string& entry, const Lines& objects) {
  ObjectExpander expander(objects, MaskForm::Wildcard);
  return expander.ExpandLine(entry);
}

Lines Expanded(const std::string& entry, const Lines& objects) {
  const LineExpansion expansion = Expand(entry, objects);
  EXPECT_EQ(expansion.outcome, LineExpansion::Outcome::Expanded)
      << ObjectErrorMessage(expansion.Failure, Language::English);
  return expansion.Lines;
}

void ExpectFailure(const std::string& entry, const Lines& objects, const std::string& english,
                   const std::string& object, const std::string& russian = "") {
  const LineExpansion en = Expand(entry, objects);
  EXPECT_EQ(en.outcome, LineExpansion::Outcome::Failed) << entry;
  EXPECT_EQ(ObjectErrorMessage(en.Failure, Language::English), english);
  if (!russian.empty()) {
    EXPECT_EQ(ObjectErrorMessage(en.Failure, Language::Russian), russian);
  }
  EXPECT_EQ(en.Failure.Object, object);
}

TEST(ExpandLine, EachKindOfGroupGivesItsMembers) {
  EXPECT_EQ(Expand("10 permit ip any any", {}).outcome, LineExpansion::Outcome::NoReference);
  const Lines address = {"object-group ip address xxx", "host-info 10.10.10.10", "host 10.2.2.2",
                         "10.1.0.0  255.255.0.0",       "10.1.0.0/16",           "host 10.9.9.9"};
  const Lines network = {"object-group network INNER",
                         "host 10.0.0.9",
                         "",
                         "object-group network NET",
                         " description servers",
                         "range 10.0.0.3 10.0.0.1",
                         "range 10.0.0.1 bad",
                         "group-object INNER",
                         "10.1.0.0 255.255.0.0",
                         "object-group network ANY",
                         "range 255.255.255.255 0.0.0.0"};
  struct Case {
    std::string entry;
    Lines objects;
    Lines expected;
  };
  const std::vector<Case> cases = {
      {"10 permit ip addrgroup xxx any",
       address,
       {"10 permit ip host 10.10.10.10 any", "10 permit ip host 10.2.2.2 any",
        "10 permit ip 10.1.0.0 0.0.255.255 any"}},
      // Two references multiply in member order.
      {"20 deny ip addrgroup A addrgroup B",
       {"object-group ip address A", "host 1.1.1.1", "host 1.1.1.2", "",
        "object-group ip address B", "host 2.2.2.1", "host 2.2.2.2"},
       {"20 deny ip host 1.1.1.1 host 2.2.2.1", "20 deny ip host 1.1.1.1 host 2.2.2.2",
        "20 deny ip host 1.1.1.2 host 2.2.2.1", "20 deny ip host 1.1.1.2 host 2.2.2.2"}},
      // Port group members are taken as written.
      {"10 permit tcp any any portgroup WEB log",
       {"object-group ip port WEB", "eq 80", "range 1000 - 2000", "description web ports",
        "object-group ip port OTHER", "eq 1"},
       {"10 permit tcp any any eq 80 log", "10 permit tcp any any range 1000 2000 log",
        "10 permit tcp any any description web ports log"}},
      // Ranges, nesting and lines that are no member.
      {"10 permit ip object-group NET any",
       network,
       {"10 permit ip host 10.0.0.1 any", "10 permit ip host 10.0.0.2 any",
        "10 permit ip host 10.0.0.3 any", "10 permit ip host 10.0.0.9 any",
        "10 permit ip 10.1.0.0 0.0.255.255 any"}},
      {"10 permit ip any object-group ANY", network, {"10 permit ip any any"}},
      // Service members rewrite the protocol and both port conditions.
      {"10 permit object-group WEB any host 10.1.1.1 log",
       {"object-group service WEB", "tcp eq 80", "tcp source eq 1024 eq 80",
        "tcp source range 1 2 gt 5", "tcp-udp eq 53", "icmp echo", "ip"},
       {"10 permit tcp any host 10.1.1.1 eq 80 log",
        "10 permit tcp any eq 1024 host 10.1.1.1 eq 80 log",
        "10 permit tcp any range 1 2 host 10.1.1.1 gt 5 log",
        "10 permit tcp any host 10.1.1.1 eq 53 log", "10 permit udp any host 10.1.1.1 eq 53 log",
        "10 permit icmp any host 10.1.1.1 echo log", "10 permit ip any host 10.1.1.1 log"}},
      // Definitions in the form the device shows them, with line numbers.
      {"10 permit object-group SVC object-group SRC any",
       {"Network object group SRC", "  10 host 10.0.0.1", "  20 10.2.0.0 255.255.255.0",
        "Service object group SVC", "  10 tcp eq 22"},
       {"10 permit tcp host 10.0.0.1 any eq 22", "10 permit tcp 10.2.0.0 0.0.0.255 any eq 22"}},
      // The first definition with members is used.
      {"10 permit ip addrgroup A any",
       {"object-group ip address A", "", "object-group ip address A", "host 1.1.1.1"},
       {"10 permit ip host 1.1.1.1 any"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Expanded(c.entry, c.objects), c.expected) << c.entry;
}

TEST(ExpandLine, FailuresNameTheObject) {
  struct Case {
    std::string entry;
    Lines objects;
    std::string english, object;
  };
  const std::vector<Case> cases = {
      {"10 permit ip addrgroup MISSING any", {}, "Object MISSING not found", "MISSING"},
      {"10 permit ip addrgroup A any",
       {"object-group ip address A", "10.1.0.0/16"},
       "Object A not found",
       "A"},
      {"10 permit tcp any any portgroup P", {}, "Object P is not found", "P"},
      {"10 permit ip object-group N any", {}, "Object N is not found", "N"},
      {"10 permit ip object-group SELF any",
       {"object-group network SELF", "group-object SELF"},
       "The SELF object contains a recursively nested object",
       "SELF"},
      {"10 permit ip object-group TOP any",
       {"object-group network TOP", "group-object A", "object-group network A", "group-object B"},
       "The TOP object contains the missing nested object",
       "TOP"},
      // A member that names its own group again would expand forever.
      {"10 permit object-group S any any",
       {"object-group service S", "tcp eq 1 object-group S"},
       "The S object contains a recursively nested object",
       "S"},
      {"10 permit ip object-group D any",
       {"object-group network D", "description x"},
       "The D object has no members",
       "D"},
      // Multiplying references are bounded: 1001 hosts squared.
      {"10 permit ip object-group BIG object-group BIG eq 1",
       {"object-group network BIG", "range 10.0.0.0 10.0.3.232"},
       "The BIG object makes more than 1000000 entries of one line",
       "BIG"},
  };
  for (const Case& c : cases) ExpectFailure(c.entry, c.objects, c.english, c.object);
  ExpectFailure("10 permit ip object-group R any",
                {"object-group network R", "range 10.0.0.0 10.1.0.0"},
                "The range 10.0.0.0 10.1.0.0 of the R object spans more than 65536 addresses", "R",
                "Диапазон 10.0.0.0 10.1.0.0 объекта R содержит больше 65536 адресов");
}

TEST(ExpandLine, MoreThanThirtyOneNestedGroupsInATreeFail) {
  Lines objects = {"object-group network TOP"};
  for (int i = 0; i < 32; ++i) objects.push_back("group-object LEAF");
  objects.insert(objects.end(), {"object-group network LEAF", "host 1.1.1.1"});
  ExpectFailure("10 permit ip object-group TOP any", objects,
                "The TOP object contains a recursively nested object", "TOP");
  objects.erase(objects.begin() + 1);
  EXPECT_EQ(Expanded("10 permit ip object-group TOP any", objects).size(), 31u);
}

TEST(ExpandLine, UsedGroupsAreRecordedOnceNestedFirst) {
  ObjectExpander expander({"object-group network OUTER", "group-object INNER", "host 1.1.1.1", "",
                           "object-group network INNER", "description the inner one",
                           "host 2.2.2.2", "", "object-group ip address A", "host 3.3.3.3"},
                          MaskForm::Wildcard);
  expander.ExpandLine("10 permit ip object-group OUTER addrgroup A");
  expander.ExpandLine("20 permit ip object-group INNER addrgroup a");  // "a" is not "A"
  EXPECT_TRUE(expander.MembersExpanded());
  const UsedObjects& used = expander.Used();
  EXPECT_EQ(used.UsdObjText(),
            Lines({"object-group ip address A", " host 3.3.3.3", "", "object-group network INNER",
                   " description the inner one", " host 2.2.2.2", "", "object-group network OUTER",
                   " group-object INNER", " host 1.1.1.1"}));
  ASSERT_EQ(used.UsdObjCount(), 3u);
  EXPECT_EQ(used.UsdObjList()[1].StartPos, 27 + 15 + 2);
}

}  // namespace
}  // namespace kerbwise

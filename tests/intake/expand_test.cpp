#include <gtest/gtest.h>

#include "intake/normalize_acl.h"
#include "intake/object_expander.h"
#include "scripted_answers.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

// Expands one entry against an object pane.
LineExpansion Expand(const std::string& entry, const Lines& objects,
                     MaskForm mask = MaskForm::Wildcard, bool russian = false) {
  ObjectExpander expander(objects, mask, russian);
  return expander.ExpandLine(entry);
}

Lines Expanded(const std::string& entry, const Lines& objects, MaskForm mask = MaskForm::Wildcard) {
  const LineExpansion expansion = Expand(entry, objects, mask);
  EXPECT_EQ(expansion.outcome, LineExpansion::Outcome::Expanded) << expansion.Failure.Text;
  return expansion.Lines;
}

void ExpectFailure(const std::string& entry, const Lines& objects, const std::string& english,
                   const std::string& russian, const std::string& object) {
  const LineExpansion en = Expand(entry, objects);
  EXPECT_EQ(en.outcome, LineExpansion::Outcome::Failed) << entry;
  EXPECT_EQ(en.Failure.Text, english);
  EXPECT_EQ(en.Failure.ObjectName, object);
  EXPECT_EQ(Expand(entry, objects, MaskForm::Wildcard, true).Failure.Text, russian);
}

TEST(ExpandLine, EntryWithoutReferenceIsLeftAlone) {
  EXPECT_EQ(Expand("10 permit ip any any", {}).outcome, LineExpansion::Outcome::NoReference);
}

TEST(ExpandLine, AddressGroupMemberForms) {
  const Lines objects = {"object-group ip address xxx", "host-info 10.10.10.10", "host 10.2.2.2",
                         "10.1.0.0  255.255.0.0",       "10.1.0.0/16",           "host 10.9.9.9"};
  EXPECT_EQ(Expanded("10 permit ip addrgroup xxx any", objects),
            Lines({"10 permit ip host 10.10.10.10 any", "10 permit ip host 10.2.2.2 any",
                   "10 permit ip 10.1.0.0 0.0.255.255 any"}));
  EXPECT_EQ(Expanded("10 permit ip any addrgroup xxx", objects, MaskForm::Netmask).back(),
            "10 permit ip any 10.1.0.0 255.255.0.0");
}

TEST(ExpandLine, TwoReferencesMultiplyInMemberOrder) {
  const Lines objects = {"object-group ip address A", "host 1.1.1.1", "host 1.1.1.2", "",
                         "object-group ip address B", "host 2.2.2.1", "host 2.2.2.2"};
  EXPECT_EQ(
      Expanded("20 deny ip addrgroup A addrgroup B", objects),
      Lines({"20 deny ip host 1.1.1.1 host 2.2.2.1", "20 deny ip host 1.1.1.1 host 2.2.2.2",
             "20 deny ip host 1.1.1.2 host 2.2.2.1", "20 deny ip host 1.1.1.2 host 2.2.2.2"}));
}

TEST(ExpandLine, PortGroupMembersAreTakenAsWritten) {
  const Lines objects = {"object-group ip port WEB",   "eq 80",
                         "range 1000 - 2000",          "description web ports",
                         "object-group ip port OTHER", "eq 1"};
  EXPECT_EQ(Expanded("10 permit tcp any any portgroup WEB log", objects),
            Lines({"10 permit tcp any any eq 80 log", "10 permit tcp any any range 1000 2000 log",
                   "10 permit tcp any any description web ports log"}));
}

TEST(ExpandLine, NetworkGroupMembersRangesAndNesting) {
  const Lines objects = {
      "object-group network INNER",
      "host 10.0.0.9",
      "",
      "object-group network NET",
      " description servers",
      "range 10.0.0.3 10.0.0.1",
      "range 10.0.0.1 bad",
      "group-object INNER",
      "10.1.0.0 255.255.0.0",
      "object-group network ANY",
      "range 255.255.255.255 0.0.0.0",
  };
  EXPECT_EQ(Expanded("10 permit ip object-group NET any", objects),
            Lines({"10 permit ip host 10.0.0.1 any", "10 permit ip host 10.0.0.2 any",
                   "10 permit ip host 10.0.0.3 any", "10 permit ip host 10.0.0.9 any",
                   "10 permit ip 10.1.0.0 0.0.255.255 any"}));
  EXPECT_EQ(Expanded("10 permit ip any object-group ANY", objects),
            Lines({"10 permit ip any any"}));
}

TEST(ExpandLine, ServiceGroupMembersRewriteTheEntry) {
  const Lines objects = {"object-group service WEB",
                         "tcp eq 80",
                         "tcp source eq 1024 eq 80",
                         "tcp source range 1 2 gt 5",
                         "tcp-udp eq 53",
                         "icmp echo",
                         "ip"};
  EXPECT_EQ(
      Expanded("10 permit object-group WEB any host 10.1.1.1 log", objects),
      Lines({"10 permit tcp any host 10.1.1.1 eq 80 log",
             "10 permit tcp any eq 1024 host 10.1.1.1 eq 80 log",
             "10 permit tcp any range 1 2 host 10.1.1.1 gt 5 log",
             "10 permit tcp any host 10.1.1.1 eq 53 log",
             "10 permit udp any host 10.1.1.1 eq 53 log",
             "10 permit icmp any host 10.1.1.1 echo log", "10 permit ip any host 10.1.1.1 log"}));
  EXPECT_EQ(Expanded("10 permit object-group WEB 10.0.0.0 0.0.0.255 any",
                     {"object-group service WEB", "udp eq 69"}),
            Lines({"10 permit udp 10.0.0.0 0.0.0.255 any eq 69"}));
}

TEST(ExpandLine, ShowFormDefinitionsWithLineNumbers) {
  const Lines objects = {"Network object group SRC", "  10 host 10.0.0.1",
                         "  20 10.2.0.0 255.255.255.0", "Service object group SVC",
                         "  10 tcp eq 22"};
  EXPECT_EQ(Expanded("10 permit object-group SVC object-group SRC any", objects),
            Lines({"10 permit tcp host 10.0.0.1 any eq 22",
                   "10 permit tcp 10.2.0.0 0.0.0.255 any eq 22"}));
}

TEST(ExpandLine, FirstDefinitionWithMembersIsUsed) {
  const Lines objects = {"object-group ip address A", "", "object-group ip address A",
                         "host 1.1.1.1"};
  EXPECT_EQ(Expanded("10 permit ip addrgroup A any", objects),
            Lines({"10 permit ip host 1.1.1.1 any"}));
}

TEST(ExpandLine, FailuresNameTheObject) {
  ExpectFailure("10 permit ip addrgroup MISSING any", {}, "Object MISSING not found",
                "Объект MISSING не найден", "MISSING");
  ExpectFailure("10 permit ip addrgroup A any", {"object-group ip address A", "10.1.0.0/16"},
                "Object A not found", "Объект A не найден", "A");
  ExpectFailure("10 permit tcp any any portgroup P", {}, "Object P is not found",
                "Объект P не найден", "P");
  ExpectFailure("10 permit ip object-group N any", {}, "Object N is not found",
                "Объект N не найден", "N");
  ExpectFailure("10 permit ip object-group SELF any",
                {"object-group network SELF", "group-object SELF"},
                "The SELF object contains a recursively nested object",
                "Объект SELF содержит рекурсивно вложенный объект", "SELF");
  ExpectFailure("10 permit ip object-group A any",
                {"object-group network A", "host 1.1.1.1", "group-object B"},
                "The A object contains the missing nested object",
                "Объект A содержит отсутствующий вложенный объект", "A");
  ExpectFailure(
      "10 permit ip object-group TOP any",
      {"object-group network TOP", "group-object A", "object-group network A", "group-object B"},
      "The TOP object contains the missing nested object",
      "Объект TOP содержит отсутствующий вложенный объект", "TOP");
  // A member that names its own group again would expand forever.
  ExpectFailure("10 permit object-group S any any",
                {"object-group service S", "tcp eq 1 object-group S"},
                "The S object contains a recursively nested object",
                "Объект S содержит рекурсивно вложенный объект", "S");
  ExpectFailure("10 permit ip object-group D any", {"object-group network D", "description x"},
                "The D object has no members", "Объект D не содержит элементов", "D");
  ExpectFailure("10 permit ip object-group R any",
                {"object-group network R", "range 10.0.0.0 10.1.0.0"},
                "The range 10.0.0.0 10.1.0.0 of the R object spans more than 65536 addresses",
                "Диапазон 10.0.0.0 10.1.0.0 объекта R содержит больше 65536 адресов", "R");
}

TEST(ExpandLine, MultiplyingReferencesAreBounded) {
  Lines objects = {"object-group network BIG", "range 10.0.0.0 10.0.3.232"};  // 1001 hosts
  ExpectFailure("10 permit ip object-group BIG object-group BIG eq 1", objects,
                "The BIG object makes more than 1000000 entries of one line",
                "Объект BIG даёт больше 1000000 записей из одной строки", "BIG");
}

TEST(ExpandLine, MoreThanThirtyOneNestedGroupsInATreeFail) {
  Lines objects = {"object-group network TOP"};
  for (int i = 0; i < 32; ++i) objects.push_back("group-object LEAF");
  objects.insert(objects.end(), {"object-group network LEAF", "host 1.1.1.1"});
  ExpectFailure("10 permit ip object-group TOP any", objects,
                "The TOP object contains a recursively nested object",
                "Объект TOP содержит рекурсивно вложенный объект", "TOP");
  objects.erase(objects.begin() + 1);
  EXPECT_EQ(Expanded("10 permit ip object-group TOP any", objects).size(), 31u);
}

TEST(ExpandLine, UsedGroupsAreRecordedOnceNestedFirst) {
  ObjectExpander expander({"object-group network OUTER", "group-object INNER", "host 1.1.1.1", "",
                           "object-group network INNER", "description the inner one",
                           "host 2.2.2.2", "", "object-group ip address A", "host 3.3.3.3"},
                          MaskForm::Wildcard, false);
  expander.ExpandLine("10 permit ip object-group OUTER addrgroup A");
  expander.ExpandLine("20 permit ip object-group INNER addrgroup a");  // "a" is not "A"
  EXPECT_TRUE(expander.ObjectsEnabled());
  const UsedObjects& used = expander.Used();
  EXPECT_EQ(used.UsdObjText(),
            Lines({"object-group ip address A", " host 3.3.3.3", "", "object-group network INNER",
                   " description the inner one", " host 2.2.2.2", "", "object-group network OUTER",
                   " group-object INNER", " host 1.1.1.1"}));
  ASSERT_EQ(used.UsdObjCount(), 3u);
  EXPECT_EQ(used.UsdObjList()[0].Name, "A");
  EXPECT_EQ(used.UsdObjList()[0].StartPos, 0);
  EXPECT_EQ(used.UsdObjList()[1].Name, "INNER");
  EXPECT_EQ(used.UsdObjList()[1].StartPos, 27 + 15 + 2);
}

TEST(NormalizeWithObjects, DerivedEntriesCarryTheSourceNumber) {
  testing::ScriptedAnswers answers;
  const NormalizeResult result = NormalizeACL(
      {"ip access-list extended OBJ", "permit ip addrgroup xxx any", "deny ip any any"},
      {"object-group ip address xxx", "host-info 10.10.10.10"}, {}, answers);
  EXPECT_EQ(result.ListLines, Lines({"010 permit ip host 10.10.10.10 any", " 20 deny ip any any"}));
  EXPECT_EQ(result.Used.UsdObjText(),
            Lines({"object-group ip address xxx", " host-info 10.10.10.10"}));
  EXPECT_TRUE(result.Enabled.Objects);
}

TEST(NormalizeWithObjects, MissingObjectEmptiesListAndRestoresHeader) {
  testing::ScriptedAnswers answers;
  const NormalizeResult result = NormalizeACL(
      {"permit ip any any", "ip access-list extended OBJ", "permit ip addrgroup nope any"}, {}, {},
      answers);
  EXPECT_TRUE(result.ListLines.empty());
  EXPECT_EQ(result.ErrorText, "Object nope not found");
  EXPECT_EQ(result.ErrorObject, "nope");
  EXPECT_TRUE(result.BlinkError);
  EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "ip access-list extended OBJ",
                                       "20 permit ip addrgroup nope any"}));
  EXPECT_FALSE(result.Enabled.Reflect);
  EXPECT_FALSE(result.Enabled.Sort);
}

}  // namespace
}  // namespace kerbwise

// Sorting a normalised list by key columns: the key order, grouping, numbers
// and problem lines, and the state of the key-column buttons.
#include "reorder/sort_acl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reorder/sort_key.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

SortResult Sort(const Lines& list, std::vector<KeyColumn> keys, SortOptions options = {},
                bool russian = false) {
  SortColumns columns;
  for (KeyColumn key : keys) columns.SwitchOn(key);
  CheckOptions checkOptions;
  checkOptions.Russian = russian;
  LineRecognizer recognizer;
  return SortACL(columns, list, {}, options, checkOptions, recognizer);
}

const SortOptions kPlain{.WithNumbers = true, .Group = false, .Collapse = false};

TEST(SortColumns, RanksFollowTheOrderOfSwitchingOn) {
  SortColumns columns;
  columns.Toggle(KeyColumn::Proto);
  columns.Toggle(KeyColumn::SrcAddr);
  columns.Toggle(KeyColumn::DstAddr);
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::SrcAddr), "src addr(2)");
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstOpt), "dst opt");

  // Switching off rank 2 switches off rank 3 too, once the next run resets.
  columns.Toggle(KeyColumn::SrcAddr);
  EXPECT_EQ(columns.ActiveKeyCount(), 1);
  EXPECT_EQ(columns.ResetLaterColumns(), (std::vector{KeyColumn::SrcAddr, KeyColumn::DstAddr}));
  EXPECT_EQ(columns.ActiveColumns(), (std::vector{KeyColumn::Proto}));
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstAddr), "dst addr");

  columns.Toggle(KeyColumn::DstOpt);
  EXPECT_EQ(columns.ButtonCaption(KeyColumn::DstOpt), "dst opt(2)");
}

TEST(SortKey, ComponentsAndCollation) {
  // Cases the list orders below do not reach.
  EXPECT_EQ(ProtoComponent("1234"), "1234");
  EXPECT_EQ(PortConditionComponent("range 1000 2000"), "range 01000 02000+");
  EXPECT_EQ(PortConditionComponent("eq 123456"), "eq 123456+");
  // The hyphen of a problem key only breaks ties: its words decide.
  EXPECT_TRUE(SortKeyLess("lt 00080+ 1", "-not recognized 2"));
  EXPECT_TRUE(SortKeyLess("-not recognized 2", "range 00080 00090+ 3"));
  EXPECT_TRUE(SortKeyLess(" 1", "*ip 2"));
  EXPECT_TRUE(SortKeyLess("*ip 2", "+ 1"));
  EXPECT_TRUE(SortKeyLess("+ 1", "006 2"));
  EXPECT_TRUE(SortKeyLess("EQ 1", "gt 2"));
}

struct OrderCase {
  const char* name;
  KeyColumn key;
  Lines list;
  Lines expected;
  friend void PrintTo(const OrderCase& c, std::ostream* out) { *out << c.name; }
};

class SortOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(SortOrder, FirstColumnDecides) {
  EXPECT_EQ(Sort(GetParam().list, {GetParam().key}, kPlain).MainOutput, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SortOrder,
    ::testing::Values(
        OrderCase{"proto",
                  KeyColumn::Proto,
                  {"10 permit gre any any", "20 permit udp any any", "30 permit tcp any any",
                   "40 permit icmp any any", "50 permit ip any any"},
                  {"50 permit ip any any", "40 permit icmp any any", "30 permit tcp any any",
                   "20 permit udp any any", "10 permit gre any any"}},
        OrderCase{"src_mask",
                  KeyColumn::SrcMask,
                  {"10 permit ip host 1.1.1.1 any", "20 permit ip 10.0.0.0 0.0.0.255 any",
                   "30 permit ip 10.0.0.0 0.255.255.255 any", "40 permit ip any any"},
                  {"40 permit ip any any", "30 permit ip 10.0.0.0 0.255.255.255 any",
                   "20 permit ip 10.0.0.0 0.0.0.255 any", "10 permit ip host 1.1.1.1 any"}},
        OrderCase{"dst_opt",
                  KeyColumn::DstOpt,
                  {"10 permit tcp any any range 1 2", "20 permit tcp any any neq 5",
                   "30 permit tcp any any lt 9", "40 permit tcp any any gt 9",
                   "50 permit tcp any any eq 443", "60 permit tcp any any eq 80",
                   "70 permit tcp any any eq 80 443", "80 permit tcp any any"},
                  {"80 permit tcp any any", "70 permit tcp any any eq 80 443",
                   "60 permit tcp any any eq 80", "50 permit tcp any any eq 443",
                   "40 permit tcp any any gt 9", "30 permit tcp any any lt 9",
                   "20 permit tcp any any neq 5", "10 permit tcp any any range 1 2"}},
        OrderCase{"equal_keys_keep_list_order",
                  KeyColumn::Proto,
                  {"10 deny tcp any any", "20 permit ip any any", "30 permit tcp any any"},
                  {"20 permit ip any any", "10 deny tcp any any", "30 permit tcp any any"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SortACL, NoKeyColumn) {
  const Lines list{"10 permit tcp any any", "20 remark hello", "30 permit ip any any"};
  const SortResult withNumbers = Sort(list, {});
  EXPECT_FALSE(withNumbers.Ran);
  EXPECT_TRUE(DisplayText(withNumbers).empty());

  const SortResult bare = Sort(list, {}, {.WithNumbers = false, .Group = false});
  EXPECT_EQ(DisplayText(bare),
            (Lines{"permit tcp any any", "permit ip any any", "", "remark:remark hello"}));
}

TEST(SortACL, GroupsAreSeparatedAndProblemLinesCountAsGroups) {
  const Lines list{" 10 permit udp any any", " 20 bogus line", " 30 permit tcp any any",
                   " 40 permit tcp host 1.1.1.1 any", " 50 remark note"};
  const SortResult result = Sort(list, {KeyColumn::SrcOpt, KeyColumn::Proto});
  // "not recognized" and "remark" sort after the "+" keys, as groups of their own.
  EXPECT_EQ(result.MainOutput, (Lines{" 30 permit tcp any any", " 40 permit tcp host 1.1.1.1 any",
                                      "", " 10 permit udp any any", "", ""}));
  EXPECT_EQ(result.Problems, (Lines{"not recognized: 20 bogus line", "remark: 50 remark note"}));

  const SortResult russian = Sort(list, {KeyColumn::Proto}, kPlain, true);
  // Cyrillic words sort after Latin ones.
  EXPECT_EQ(russian.Problems, (Lines{"remark: 50 remark note", "не опознано: 20 bogus line"}));

  // A problem that sorts before every rule puts an empty line on top.
  const SortResult first =
      Sort({"10 permit udp any any range 1 5", "20 bogus"}, {KeyColumn::DstOpt});
  EXPECT_EQ(first.MainOutput, (Lines{"", "10 permit udp any any range 1 5"}));
}

}  // namespace
}  // namespace kerbwise

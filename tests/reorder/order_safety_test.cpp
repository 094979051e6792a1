// Order safety: which pairs of entries a new order turns round so that the
// list's action on their common traffic changes, and how they are reported.
#include "reorder/order_safety.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "reorder/sort_acl.h"
#include "rules/line_recognizer.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;
using Places = std::vector<std::size_t>;

OrderChanges Changes(const Lines& list, const Places& newPosition,
                     std::size_t limit = kListedOrderChanges) {
  LineRecognizer recognizer;
  return FindOrderChanges(list, newPosition, {}, recognizer, limit);
}

struct SwapCase {
  const char* first;
  const char* second;
  bool warns;
};

void PrintTo(const SwapCase& c, std::ostream* out) { *out << c.first << " / " << c.second; }

// Two entries, numbered 10 and 20, that the new order puts the other way round.
class SwappedPair : public testing::TestWithParam<SwapCase> {};

TEST_P(SwappedPair, WarnsExactlyWhenTrafficIsSharedAndActionsDiffer) {
  const SwapCase& c = GetParam();
  const OrderChanges changes =
      Changes({std::string("10 ") + c.first, std::string("20 ") + c.second}, {2, 1});
  EXPECT_EQ(changes.Count, c.warns ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(
    Overlapping, SwappedPair,
    testing::Values(
        SwapCase{"permit ip host 10.1.1.1 any", "deny ip 10.1.1.0 0.0.0.255 any", true},
        SwapCase{"permit tcp any any eq 80", "deny ip any any", true},
        SwapCase{"permit icmp any any echo", "deny icmp any any 8", true},
        SwapCase{"permit icmp any any time-exceeded", "deny icmp any any ttl-exceeded", true},
        SwapCase{"permit icmp any any", "deny icmp any any echo-reply", true},
        // Non-contiguous masks: 10.x.0.1 for any x holds 10.1.0.1.
        SwapCase{"permit ip 10.0.0.1 0.255.0.0 any", "deny ip host 10.1.0.1 any", true},
        SwapCase{"permit tcp any any range 1000 2000", "deny tcp any any gt 1999", true},
        SwapCase{"permit tcp any any eq 80 established", "deny tcp any any eq 80", true},
        SwapCase{"permit ip any any precedence 3", "deny ip any any precedence 3", true},
        SwapCase{"permit ip any any precedence 3", "deny ip any any", true},
        SwapCase{"permit ip any any ttl lt 10", "deny ip any any ttl range 5 20", true},
        SwapCase{"permit tcp any eq 20 any", "deny tcp any any eq 21", true}));

INSTANTIATE_TEST_SUITE_P(
    Apart, SwappedPair,
    testing::Values(
        SwapCase{"permit ip host 10.1.1.1 any", "permit ip 10.1.1.0 0.0.0.255 any", false},
        SwapCase{"deny ip host 10.1.1.1 any", "deny ip any any", false},
        SwapCase{"permit ip 10.1.1.0 0.0.0.255 any", "deny ip 10.1.2.0 0.0.0.255 any", false},
        SwapCase{"permit ip any host 10.0.0.1", "deny ip any host 10.0.0.2", false},
        SwapCase{"permit ip 10.0.0.1 0.255.0.0 any", "deny ip host 10.1.0.2 any", false},
        SwapCase{"permit tcp any any eq 80", "deny tcp any any eq 443", false},
        SwapCase{"permit tcp any any range 1 100", "deny tcp any any gt 100", false},
        SwapCase{"permit tcp any eq 20 any", "deny tcp any neq 20 any", false},
        SwapCase{"permit tcp any any", "deny udp any any", false},
        SwapCase{"permit icmp any any echo", "deny icmp any any echo-reply", false},
        SwapCase{"permit icmp any any ttl-exceeded", "deny icmp any any reassembly-timeout", false},
        SwapCase{"permit icmp any any unreachable", "deny icmp any any ttl-exceeded", false},
        SwapCase{"permit ip any any precedence 3", "deny ip any any precedence 5", false},
        SwapCase{"permit ip any any ttl lt 10", "deny ip any any ttl gt 10", false},
        // Lines that are not rules take no part.
        SwapCase{"remark permit everything", "deny ip any any", false},
        SwapCase{"permit bogus any any", "deny ip any any", false}));

TEST(OrderChanges, OnlyPairsTurnedRoundCount) {
  const Lines list{"10 permit ip host 10.1.1.1 any", "20 deny ip any any",
                   "30 permit tcp any any eq 80"};
  EXPECT_EQ(Changes(list, {1, 2, 3}).Count, 0U);
  // 30 moves to the top: it passes 20, which denies what it permits.
  const OrderChanges changes = Changes(list, {2, 3, 1});
  ASSERT_EQ(changes.Count, 1U);
  ASSERT_EQ(changes.Listed.size(), 1U);
  const OrderChange& change = changes.Listed[0];
  EXPECT_EQ(change.First, 1U);
  EXPECT_EQ(change.Second, 2U);
  EXPECT_EQ(change.NewFirst, 3U);
  EXPECT_EQ(change.NewSecond, 1U);
  // Lines without a place in the new order (problems) take no part either.
  EXPECT_EQ(Changes(list, {2, 0, 1}).Count, 0U);
}

TEST(OrderChanges, TheLinesOfOneObjectGroupEntryCountAsOneEntry) {
  // 10 came from an object group; collapsed, its lines share one place.
  const Lines list{"010 permit ip host 10.0.0.1 any", "010 permit ip host 10.0.0.2 any",
                   "020 deny ip 10.0.0.0 0.0.0.255 any", "020 deny ip 10.0.1.0 0.0.0.255 any"};
  const OrderChanges changes = Changes(list, {2, 2, 1, 1});
  EXPECT_EQ(changes.Count, 1U);
  ASSERT_EQ(changes.Listed.size(), 1U);
  EXPECT_EQ(OrderChangeMessage(changes.Listed[0], list, false),
            "Entries 10 and 20 overlap and have opposite actions; the new order changes what the "
            "list does for their common traffic.");
}

TEST(OrderChanges, FollowTheSortItself) {
  // Sorting by protocol puts ip before tcp: the deny now shadows the permit.
  const Lines list{"10 permit tcp any any eq 22", "20 deny ip any any", "30 deny udp any any"};
  SortColumns columns;
  columns.SwitchOn(KeyColumn::Proto);
  LineRecognizer recognizer;
  const SortResult sorted = SortACL(columns, list, {}, {}, {}, recognizer);
  const OrderChanges changes = FindOrderChanges(list, sorted.NewPosition, {}, recognizer);
  ASSERT_EQ(changes.Count, 1U);
  EXPECT_EQ(changes.Listed[0].First, 0U);
  EXPECT_EQ(changes.Listed[0].Second, 1U);
}

TEST(OrderChanges, ReportListsUpToTheLimitAndSaysHowManyMore) {
  const Lines list{"10 permit ip host 10.0.0.1 any", "20 permit ip host 10.0.0.2 any",
                   "30 deny ip any any"};
  const OrderChanges changes = Changes(list, {2, 3, 1}, 1);
  EXPECT_EQ(changes.Count, 2U);
  EXPECT_EQ(
      OrderChangeReport(changes, list, false),
      (Lines{"Entries 10 and 30 overlap and have opposite actions; the new order changes "
             "what the list does for their common traffic.",
             "  line 1 -> 2: 10 permit ip host 10.0.0.1 any", "  line 3 -> 1: 30 deny ip any any",
             "", "... and 1 more pairs not shown here"}));
  EXPECT_EQ(OrderChangeReport(changes, list, true)[0],
            "Записи 10 и 30 пересекаются и имеют противоположные действия; новый порядок "
            "меняет действие списка для их общего трафика.");
  EXPECT_EQ(OrderChangeQuestion(2, false),
            "The new order changes what the list does (2 pairs of entries). Produce the "
            "commands anyway?");
  EXPECT_EQ(OrderChangeQuestion(2, true),
            "Новый порядок меняет действие списка (пар записей: 2). Всё равно сформировать "
            "команды?");
}

}  // namespace
}  // namespace kerbwise

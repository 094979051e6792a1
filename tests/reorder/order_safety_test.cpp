// Order safety: which pairs of entries a new order turns round so that the
// list's action on their common traffic changes.
#include "reorder/order_safety.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

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

// Two entries, numbered 10 and 20, that the new order puts the other way round. Protocols,
// addresses and ports are the order_safety fuzz target's, which reads each pair against a
// plain packet; these are the conditions a plain packet cannot judge.
TEST(OrderChanges, SwappedPairWarnsExactlyWhenTrafficIsSharedAndActionsDiffer) {
  const std::tuple<const char*, const char*, bool> pairs[] = {
      {"permit icmp any any echo", "deny icmp any any 8", true},
      {"permit icmp any any time-exceeded", "deny icmp any any ttl-exceeded", true},
      {"permit icmp any any", "deny icmp any any echo-reply", true},
      {"permit tcp any any eq 80 established", "deny tcp any any eq 80", true},
      {"permit ip any any precedence 3", "deny ip any any precedence 3", true},
      {"permit ip any any precedence 3", "deny ip any any", true},
      {"permit ip any any ttl lt 10", "deny ip any any ttl range 5 20", true},
      {"permit icmp any any echo", "deny icmp any any echo-reply", false},
      {"permit icmp any any ttl-exceeded", "deny icmp any any reassembly-timeout", false},
      {"permit ip any any precedence 3", "deny ip any any precedence 5", false},
      {"permit ip any any ttl lt 10", "deny ip any any ttl gt 10", false},
      // The ToS byte, TCP flags, IGMP messages and SCTP ports; a packet may
      // carry any option and be a fragment or not.
      {"permit ip any any dscp ef", "deny ip any any precedence 5", true},
      {"permit ip any any dscp ef", "deny ip any any precedence 4", false},
      {"permit ip any any tos 8", "deny ip any any dscp af11", false},
      {"permit tcp any any syn", "deny tcp any any established", true},
      {"permit tcp any any match-all +syn -ack -rst", "deny tcp any any established", false},
      {"permit igmp any any pim", "deny igmp any any host-query", false},
      {"permit sctp any any eq 80", "deny sctp any any eq 81", false},
      {"permit ip any any option lsr", "deny ip any any option ssr", true},
      {"permit ip any any fragments", "deny ip any any", true},
      {"permit 10.0.0.1", "deny ip any any", true}};
  for (const auto& [first, second, warns] : pairs) {
    EXPECT_EQ(Changes({std::string("10 ") + first, std::string("20 ") + second}, {2, 1}).Count,
              warns ? 1U : 0U)
        << first << " / " << second;
  }
}

TEST(OrderChanges, OnlyPairsTurnedRoundCount) {
  const Lines list{"10 permit ip host 10.1.1.1 any", "20 deny ip any any",
                   "30 permit tcp any any eq 80"};
  EXPECT_EQ(Changes(list, {1, 2, 3}).Count, 0U);
  // 30 moves to the top: it passes 20, which denies what it permits.
  const OrderChanges changes = Changes(list, {2, 3, 1});
  ASSERT_EQ(changes.Count, 1U);
  ASSERT_EQ(changes.Listed.size(), 1U);
  const OrderChange& c = changes.Listed[0];
  EXPECT_EQ((Places{c.First, c.Second, c.NewFirst, c.NewSecond}), (Places{1, 2, 3, 1}));
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
  EXPECT_EQ((Places{changes.Listed[0].First, changes.Listed[0].Second}), (Places{0, 2}));
}

TEST(OrderChanges, ListedUpToTheLimitAndCountedInFull) {
  const Lines list{"10 permit ip host 10.0.0.1 any", "20 permit ip host 10.0.0.2 any",
                   "30 deny ip any any"};
  const OrderChanges changes = Changes(list, {2, 3, 1}, 1);
  EXPECT_EQ(changes.Count, 2U);
  ASSERT_EQ(changes.Listed.size(), 1U);
  EXPECT_EQ(changes.Listed[0].Second, 2U);
}

}  // namespace
}  // namespace kerbwise

// The difference between two lists and the exact order check, on lists whose
// answer is known.
#include "packets/list_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_agreement.h"
#include "packets/exact_order.h"
#include "rules/line_recognizer.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

// Examples as "protocol port|type value, old entry, new entry" ("-" for the
// implicit deny).
Lines Examples(const std::vector<ExamplePacket>& packets) {
  const auto entry = [](std::optional<std::size_t> k) { return k ? std::to_string(*k) : "-"; };
  Lines examples;
  for (const ExamplePacket& p : packets) {
    std::string text = p.Protocol;
    if (p.DestinationPort) text += " port " + std::to_string(*p.DestinationPort);
    if (p.IcmpType) text += " type " + std::to_string(*p.IcmpType);
    examples.push_back(text + ", " + entry(p.OldEntry) + ", " + entry(p.NewEntry));
  }
  return examples;
}

const Lines kList = {
    "10 permit tcp 10.0.0.0 0.0.0.255 any eq 80", "20 deny tcp 10.0.0.0 0.0.0.127 any",
    "30 permit udp any host 192.168.1.1 eq 53", "40 remark the rest", "50 deny ip any any log"};

TEST(DiffLists, RenumberedSafelySortedOrDeadEntryListsDoTheSame) {
  const Lines renumbered = {"1 permit tcp 10.0.0.0 0.0.0.255 any eq 80",
                            "2 deny tcp 10.0.0.0 0.0.0.127 any",
                            "3 permit udp any host 192.168.1.1 eq 53", "4 deny ip any any log"};
  // 30 shares no packet with 10 and 20, so it may go first.
  const Lines sorted = {"30 permit udp any host 192.168.1.1 eq 53",
                        "10 permit tcp 10.0.0.0 0.0.0.255 any eq 80",
                        "20 deny tcp 10.0.0.0 0.0.0.127 any", "50 deny ip any any log"};
  // An entry no packet matches (every TTL excluded) changes nothing.
  Lines withNothing = kList;
  std::string everyTtl = "25 permit ip any any ttl neq";
  for (int ttl = 0; ttl <= 255; ++ttl) everyTtl += " " + std::to_string(ttl);
  withNothing.insert(withNothing.begin() + 2, everyTtl);
  for (const Lines& other : {kList, renumbered, sorted, withNothing}) {
    const ListDiff diff = DiffLists(kList, other, {});
    EXPECT_FALSE(diff.Error) << *diff.Error;
    EXPECT_TRUE(diff.Same);
    EXPECT_TRUE(diff.NewlyPermitted.empty() && diff.NewlyDenied.empty() && diff.Pairs.empty());
  }
  EXPECT_TRUE(DiffLists({everyTtl}, {}, {}).Same);
}

TEST(DiffLists, SwappingOverlappingEntriesOfOppositeActionShowsAPacket) {
  const Lines swapped = {"20 deny tcp 10.0.0.0 0.0.0.127 any",
                         "10 permit tcp 10.0.0.0 0.0.0.255 any eq 80",
                         "30 permit udp any host 192.168.1.1 eq 53", "50 deny ip any any log"};
  const ListDiff diff = DiffLists(kList, swapped, {});
  EXPECT_FALSE(diff.Same);
  EXPECT_TRUE(diff.NewlyPermitted.empty());
  EXPECT_EQ(Examples(diff.NewlyDenied), Lines({"tcp port 80, 0, 0"}));
  EXPECT_EQ(diff.Pairs, (std::vector<DecidingPair>{{0, 0}}));
  // The examples are decided as they say, and every deciding pair is named.
  EXPECT_EQ(testing::CheckEngineAgainstOracle(kList, swapped), testing::Agreement::Agrees);
}

TEST(DiffLists, RemovedAndAddedEntriesFallToTheImplicitDenyOrTakeFromIt) {
  const Lines oldLines = {"10 permit icmp any any echo", "20 permit tcp any host 10.1.1.1 eq 22"};
  const Lines newLines = {"10 permit tcp any host 10.1.1.1 eq 22", "20 permit udp any any eq 53"};
  const ListDiff diff = DiffLists(oldLines, newLines, {});
  EXPECT_EQ(Examples(diff.NewlyDenied), Lines({"icmp type 8, 0, -"}));
  EXPECT_EQ(Examples(diff.NewlyPermitted), Lines({"udp port 53, -, 1"}));
  EXPECT_TRUE(diff.Pairs.empty());
  EXPECT_EQ(testing::CheckEngineAgainstOracle(oldLines, newLines), testing::Agreement::Agrees);
}

TEST(DiffLists, ALineThatCannotBeMatchedEndsTheRunWithItsMessage) {
  const ListDiff old = DiffLists({"10 permit tcp any any eq 80", "20 bogus"}, kList, {});
  ASSERT_TRUE(old.Error);
  EXPECT_EQ(*old.Error, "old list, line: 20 bogus: The ACL is not recognized");
  // An IP option is read (as one key, told apart by equality): no error.
  EXPECT_FALSE(DiffLists(kList, {"10 permit ip any any option 7"}, {}).Error);
  CheckOptions russian;
  russian.TextLanguage = Language::Russian;
  const ListDiff mask =
      DiffLists(kList, {"10 permit ip host 10.0.0.1 10.0.0.1 0.0.0.255"}, russian);
  ASSERT_TRUE(mask.Error);
  EXPECT_TRUE(mask.Error->starts_with("новый список, строка: 10 permit ip host"));
}

// A sort that turns round 10 and 30, of opposite actions and overlapping;
// whether that changes anything depends on what 20 takes first.
TEST(ExactOrderChanges, KeepsOnlyThePairsAThirdEntryDoesNotDecideFirst) {
  LineRecognizer recognizer;
  const Lines hidden = {"10 permit tcp any host 10.0.0.1 eq 80", "20 deny tcp any host 10.0.0.1",
                        "30 deny tcp any any eq 80"};
  // New order: 20, 30, 10. The pairwise check warns about 10 and 30; but
  // every packet they share is 10's, which 20 now takes before either.
  const std::vector<std::size_t> moved = {3, 1, 2};
  EXPECT_EQ(FindOrderChanges(hidden, moved, {}, recognizer).Count, 2u);
  const OrderChanges exact = FindExactOrderChanges(hidden, moved, {}, recognizer);
  ASSERT_EQ(exact.Count, 1u);
  EXPECT_EQ(exact.Listed[0].First, 0u);
  EXPECT_EQ(exact.Listed[0].Second, 1u);

  const Lines apart = {"10 permit tcp any host 10.0.0.1 eq 80", "20 deny tcp any host 10.0.0.2",
                       "30 deny tcp any any eq 80"};
  EXPECT_EQ(FindExactOrderChanges(apart, {2, 3, 1}, {}, recognizer).Count, 1u);
  EXPECT_EQ(FindExactOrderChanges(apart, {1, 3, 2}, {}, recognizer).Count, 0u);
}

}  // namespace
}  // namespace kerbwise

#include "analysis/group_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace kerbwise {
namespace {

using Numbers = std::vector<std::uint32_t>;
using Runs = std::vector<GroupSet::Run>;

Numbers Values(const GroupSet& set) { return {set.begin(), set.end()}; }

TEST(GroupSet, AddsInAnyOrderIntoTheFewestRuns) {
  GroupSet set{7, 3, 5, 1, 2, 9};
  EXPECT_EQ(set.Runs(), (Runs{{1, 3}, {5, 5}, {7, 7}, {9, 9}}));
  set.Add(6);  // joins the runs on both sides
  set.Add(8);
  set.Add(2);  // already there
  EXPECT_EQ(set.Runs(), (Runs{{1, 3}, {5, 9}}));
  EXPECT_EQ(Values(set), (Numbers{1, 2, 3, 5, 6, 7, 8, 9}));
  EXPECT_EQ(set.Count(), 8u);
  EXPECT_TRUE(set.Contains(5) && set.Contains(9) && !set.Contains(4) && !set.Contains(10));

  GroupSet many;
  for (std::uint32_t g = 1; g <= 100'000; ++g) many.Add(g);
  EXPECT_EQ(many.Runs().size(), 1u);
}

TEST(GroupSet, RemovesFromAnyPartOfARun) {
  GroupSet set{1, 2, 3, 4, 5, 8};
  set.Remove(3);  // splits the run
  set.Remove(1);
  set.Remove(5);
  set.Remove(8);
  set.Remove(40);  // not there
  EXPECT_EQ(set.Runs(), (Runs{{2, 2}, {4, 4}}));
  set.Remove(2);
  set.Remove(4);
  EXPECT_TRUE(set.Empty());
}

TEST(GroupSet, SharesAnyWith) {
  const GroupSet set{1, 2, 3, 10, 11};
  EXPECT_TRUE(set.SharesAnyWith({11, 40}));
  EXPECT_TRUE(set.SharesAnyWith({0, 2}));
  EXPECT_FALSE(set.SharesAnyWith({4, 5, 6, 7, 8, 9, 12}));
  EXPECT_FALSE(set.SharesAnyWith({}));
}

TEST(GroupSet, RemoveAndCloseGapRenumbersTheLaterGroups) {
  GroupSet set{2, 3, 5, 7};
  set.RemoveAndCloseGap(4);  // not a member: the later ones still move down
  EXPECT_EQ(set, (GroupSet{2, 3, 4, 6}));
  set.RemoveAndCloseGap(5);
  EXPECT_EQ(set.Runs(), (Runs{{2, 5}}));
  set.RemoveAndCloseGap(2);
  EXPECT_EQ(Values(set), (Numbers{2, 3, 4}));
}

}  // namespace
}  // namespace kerbwise

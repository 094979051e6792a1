#include "rules/record_cache.h"

#include <gtest/gtest.h>

namespace kerbwise {
namespace {

ExprPtr RecordWithStatus(std::uint8_t status) {
  TExpr record;
  record.Status = status;
  return std::make_shared<const TExpr>(record);
}

TEST(RecordCache, FindsEveryLineThroughGrowthAndReset) {
  RecordCache cache;
  EXPECT_EQ(cache.Find("permit ip any any"), nullptr);
  // Far more lines than the table first holds: it must grow without losing any.
  for (int i = 0; i < 5000; ++i) {
    cache.Insert("permit ip host 10.0." + std::to_string(i) + " any",
                 RecordWithStatus(static_cast<std::uint8_t>(i % 5)));
  }
  ASSERT_EQ(cache.size(), 5000u);
  for (int i = 0; i < 5000; ++i) {
    const ExprPtr* found = cache.Find("permit ip host 10.0." + std::to_string(i) + " any");
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ((*found)->Status, i % 5);
  }
  EXPECT_EQ(cache.Find("permit ip host 10.0.5000 any"), nullptr);
  EXPECT_EQ(cache.Find(""), nullptr);

  cache.Reset(10);
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(cache.Find("permit ip host 10.0.1 any"), nullptr);
}

}  // namespace
}  // namespace kerbwise

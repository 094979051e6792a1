// Port and TTL conditions turned into ranges.
#include "check/value_ranges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

using Ranges = std::vector<ValueRange>;

Ranges ToRanges(const std::string& condition, std::uint16_t maxValue = 65535) {
  const RangeList list = ValuesToRanges(condition, maxValue, false);
  EXPECT_TRUE(list.Ok()) << condition << ": " << list.Error;
  return list.Ranges;
}

std::string ErrorOf(const std::string& condition, std::uint16_t maxValue = 65535,
                    bool russian = false) {
  return ValuesToRanges(condition, maxValue, russian).Error;
}

TEST(ValuesToRanges, EachOperatorGivesItsRanges) {
  EXPECT_EQ(ToRanges("eq 443 80 81"), (Ranges{{80, 81}, {443, 443}}));
  EXPECT_EQ(ToRanges("eq 80 81 82 443"), (Ranges{{80, 82}, {443, 443}}));
  EXPECT_EQ(ToRanges("eq 80 80"), (Ranges{{80, 80}}));
  EXPECT_EQ(ToRanges("gt 1023"), (Ranges{{1024, 65535}}));
  EXPECT_EQ(ToRanges("lt 1024"), (Ranges{{0, 1023}}));
  EXPECT_EQ(ToRanges("range 2000 1000"), (Ranges{{1000, 2000}}));
  EXPECT_EQ(ToRanges("range 80 80"), (Ranges{{80, 80}}));
  EXPECT_EQ(ToRanges("gt 254", 255), (Ranges{{255, 255}}));
}

TEST(ValuesToRanges, NeqGivesTheComplement) {
  EXPECT_EQ(ToRanges("neq 80"), (Ranges{{0, 79}, {81, 65535}}));
  EXPECT_EQ(ToRanges("neq 80 81"), (Ranges{{0, 79}, {82, 65535}}));
  EXPECT_EQ(ToRanges("neq 65535"), (Ranges{{0, 65534}}));
  EXPECT_EQ(ToRanges("neq 0"), (Ranges{{1, 65535}}));
  EXPECT_EQ(ToRanges("neq 0 1 2"), (Ranges{{3, 65535}}));
  EXPECT_EQ(ToRanges("neq 5 3 255", 255), (Ranges{{0, 2}, {4, 4}, {6, 254}}));
}

TEST(ValuesToRanges, TakesAnyNumberOfValues) {
  std::string condition = "eq";
  for (int port = 1000; port < 1100; port += 2) condition += " " + std::to_string(port);
  const Ranges ranges = ToRanges(condition);
  ASSERT_EQ(ranges.size(), 50u);
  EXPECT_EQ(ranges.back(), (ValueRange{1098, 1098}));
  EXPECT_EQ(ToRanges("neq" + condition.substr(2)).size(), 51u);
}

TEST(ValuesToRanges, RefusesImpossibleConditionsWithAMessage) {
  EXPECT_EQ(ErrorOf("gt 65535"), "gt should be less than 65535");
  EXPECT_EQ(ErrorOf("gt 255", 255), "gt should be less than 255");
  EXPECT_EQ(ErrorOf("lt 0"), "lt should be greater than 0");
  EXPECT_EQ(ErrorOf("gt 255", 255, true), "gt должен быть меньше 255");
  EXPECT_EQ(ErrorOf("lt 0", 255, true), "lt должен быть больше 0");
}

TEST(ValuesToRanges, RefusesMalformedTextRatherThanGuessing) {
  EXPECT_EQ(ErrorOf("eq 70000"), "value 70000 is out of range 0-65535");
  EXPECT_EQ(ErrorOf("eq 256", 255), "value 256 is out of range 0-255");
  EXPECT_EQ(ErrorOf("lt -1"), "value -1 is out of range 0-65535");
  EXPECT_EQ(ErrorOf("eq www"), "value www is not a number");
  EXPECT_EQ(ErrorOf("range 1"), "wrong number of values after range");
  EXPECT_EQ(ErrorOf("gt 1 2"), "wrong number of values after gt");
  EXPECT_EQ(ErrorOf("eq"), "wrong number of values after eq");
  EXPECT_EQ(ErrorOf(""), "unknown operator \"\"");
  EXPECT_EQ(ErrorOf("ne 80"), "unknown operator \"ne\"");
  EXPECT_EQ(ErrorOf("eq 256", 255, true), "значение 256 вне диапазона 0-255");
  EXPECT_EQ(ErrorOf("range 1", 255, true), "неверное число значений после range");
}

TEST(RangeContainment, EachInnerRangeNeedsOneOuterRange) {
  const Ranges outer{{0, 79}, {81, 65535}};
  EXPECT_TRUE(AllInsideOneRange({{10, 20}, {100, 200}}, outer));
  EXPECT_FALSE(AllInsideOneRange({{70, 90}}, outer));  // spans two ranges
  EXPECT_FALSE(AllInsideOneRange({{80, 80}}, outer));  // falls in the gap
  EXPECT_FALSE(InsideOneRange({5, 5}, {}));
  EXPECT_TRUE(AllInsideOneRange({}, {}));
}

}  // namespace
}  // namespace kerbwise

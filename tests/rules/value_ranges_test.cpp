// Port and TTL conditions turned into ranges.
#include "rules/value_ranges.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kerbwise {
namespace {

using Ranges = std::vector<ValueRange>;

Ranges ToRanges(const std::string& condition, std::uint16_t maxValue = 65535) {
  const RangeList list = ValuesToRanges(condition, maxValue, Language::English);
  EXPECT_TRUE(list.Ok()) << condition << ": " << list.Error;
  return list.Ranges;
}

TEST(ValuesToRanges, EachOperatorGivesItsRanges) {
  EXPECT_EQ(ToRanges("eq 443 80 81"), (Ranges{{80, 81}, {443, 443}}));
  EXPECT_EQ(ToRanges("eq 80 80"), (Ranges{{80, 80}}));
  EXPECT_EQ(ToRanges("gt 1023"), (Ranges{{1024, 65535}}));
  EXPECT_EQ(ToRanges("lt 1024"), (Ranges{{0, 1023}}));
  EXPECT_EQ(ToRanges("range 2000 1000"), (Ranges{{1000, 2000}}));
  EXPECT_EQ(ToRanges("gt 254", 255), (Ranges{{255, 255}}));
  // neq gives the complement.
  EXPECT_EQ(ToRanges("neq 0 1 2"), (Ranges{{3, 65535}}));
  EXPECT_EQ(ToRanges("neq 5 3 255", 255), (Ranges{{0, 2}, {4, 4}, {6, 254}}));
  // Any number of values.
  std::string values;
  for (int port = 1000; port < 1100; port += 2) values += " " + std::to_string(port);
  const Ranges ranges = ToRanges("eq" + values);
  ASSERT_EQ(ranges.size(), 50u);
  EXPECT_EQ(ranges.back(), (ValueRange{1098, 1098}));
  EXPECT_EQ(ToRanges("neq" + values).size(), 51u);
}

TEST(ValuesToRanges, RefusesImpossibleOrMalformedConditionsWithAMessage) {
  struct Case {
    const char* condition;
    std::uint16_t limit;  // 65535 for ports, 255 for TTL
    Language language;
    const char* error;
  };
  const Case cases[] = {
      {"gt 65535", 65535, Language::English, "gt should be less than 65535"},
      {"lt 0", 65535, Language::English, "lt should be greater than 0"},
      {"eq 70000", 65535, Language::English, "value 70000 is out of range 0-65535"},
      {"eq www", 65535, Language::English, "value www is not a number"},
      {"gt 1 2", 65535, Language::English, "wrong number of values after gt"},
      {"eq", 65535, Language::English, "wrong number of values after eq"},
      {"", 65535, Language::English, "unknown operator \"\""},
      {"ne 80", 65535, Language::English, "unknown operator \"ne\""},
      {"gt 255", 255, Language::Russian, "gt должен быть меньше 255"},
      {"eq 256", 255, Language::Russian, "значение 256 вне диапазона 0-255"},
      {"range 1", 255, Language::Russian, "неверное число значений после range"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ValuesToRanges(c.condition, c.limit, c.language).Error, c.error) << c.condition;
  }
}

}  // namespace
}  // namespace kerbwise

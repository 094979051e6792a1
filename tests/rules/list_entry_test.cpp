#include "rules/list_entry.h"

#include <gtest/gtest.h>

namespace kerbwise {
namespace {

struct ListLineCase {
  std::string line;
  std::optional<std::int32_t> number;
  std::string entryText;
};

TEST(ListEntry, EveryConsumerReadsNumberAndEntryAlike) {
  const ListLineCase cases[] = {
      {" 10 permit ip any any", 10, "permit ip any any"},
      {"030   permit  tcp any   any\r", 30, "permit tcp any any"},
      {"0 deny ip any any", 0, "deny ip any any"},
      {"permit ip any any", std::nullopt, "permit ip any any"},
      {"-5 permit ip any any", std::nullopt, "-5 permit ip any any"},
      {"10x permit ip any any", std::nullopt, "10x permit ip any any"},
      {"  30  ", 30, ""},  // a number alone: no entry after it
      {"", std::nullopt, ""},
  };
  for (const ListLineCase& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SplitListLine(c.line).Number, c.number);
    EXPECT_EQ(ListEntryText(c.line), c.entryText);
  }
}

}  // namespace
}  // namespace kerbwise

// The integer reader, the address and text primitives, list line splitting
// and the lines held in one buffer.
#include "rules/primitives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "rules/integer_reader.h"
#include "rules/line_list.h"
#include "rules/list_entry.h"

namespace kerbwise {
namespace {

TEST(IntegerReader, ReadsDecimalHexadecimalAndSignsAndNothingElse) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"42", 42},   {"007", 7},  {"  12", 12}, {"+5", 5},    {"-5", -5},    {"-0", 0},
      {"$ff", 255}, {"x1F", 31}, {"X10", 16},  {"0x10", 16}, {"-$10", -16}, {"+0x10", 16}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ReadInteger(text), value) << text;
    EXPECT_EQ(ReadIntDefault(text, 256), value) << text;
    EXPECT_EQ(ReadIntStrict(text), value) << text;
  }
  EXPECT_EQ(ReadInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(ReadInteger("-2147483648"), INT32_MIN);
  // Text that is no number gives the default.
  for (const char* text :
       {"", " ", "+", "-", "$", "0x", "12 ", "1 2", "12a", "a12", "$g", "--1", "+-1", "$-1", "1.5",
        "\t1", "99999999999", "123456789012345678901234567890"}) {
    EXPECT_FALSE(ReadInteger(text).has_value()) << '"' << text << '"';
    EXPECT_EQ(ReadIntDefault(text, -7), -7) << '"' << text << '"';
  }
}

TEST(IPToVal, AcceptsDottedQuadsOnly) {
  EXPECT_EQ(IPToVal("1.2.3.4"), 0x01020304u);
  EXPECT_EQ(IPToVal("010.0.0.1"), 0x0A000001u);  // leading zeros, still decimal
  EXPECT_EQ(IPToVal("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(IPToVal("$a.0.0.1"), 0x0A000001u);  // every octet goes through the integer reader
  for (const char* text :
       {"", "1.2.3", "1.2.3.4.5", "1.2.3.4/24", "1.2.3.256", "1..2.3", "1.2.3.4 ", "1234.1.1.1",
        ".1.1.1", "1.2.3.4.", "1.2.3.", "-1.2.3.4", "a.b.c.d", "1.2.3.0004", "1.2.3.4x"}) {
    EXPECT_FALSE(IPToVal(text).has_value()) << '"' << text << '"';
  }
}

TEST(SpaceCompress, ShortensRunsOfBlanksOnlyWhateverTheLength) {
  EXPECT_EQ(SpaceCompress("  permit   ip  any any "), " permit ip any any ");
  EXPECT_EQ(SpaceCompress("a \t  b"), "a \t b");  // tabs are not blanks
  EXPECT_EQ(SpaceCompress(std::string("a\0  b", 5)), std::string("a\0 b", 4));
  std::string text;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {  // longer than 65535 characters
    text += "ab    ";
    expected += "ab ";
  }
  EXPECT_EQ(SpaceCompress(text), expected);
}

TEST(ListEntry, EveryConsumerReadsNumberAndEntryAlike) {
  const std::tuple<std::string, std::optional<std::int32_t>, std::string> cases[] = {
      {" 10 permit ip any any", 10, "permit ip any any"},
      {"030   permit  tcp any   any\r", 30, "permit tcp any any"},
      {"0 deny ip any any", 0, "deny ip any any"},
      {"permit ip any any", std::nullopt, "permit ip any any"},
      {"-5 permit ip any any", std::nullopt, "-5 permit ip any any"},
      {"10x permit ip any any", std::nullopt, "10x permit ip any any"},
      {"  30  ", 30, ""},  // a number alone: no entry after it
      {"", std::nullopt, ""},
  };
  for (const auto& [line, number, entryText] : cases) {
    EXPECT_EQ(SplitListLine(line).Number, number) << line;
    EXPECT_EQ(ListEntryText(line), entryText) << line;
  }
}

TEST(LineList, HoldsTheLinesSplitLinesGives) {
  for (const std::string& text : std::vector<std::string>{"", "a", "a\n", "a\r\nb\rc\n\nd",
                                                          "\r\n\r\n", std::string("x\0y\n\n", 5)}) {
    EXPECT_EQ(LineList::FromText(text), SplitLines(text)) << text;
  }
  LineList lines = {"10 permit ip any any", ""};
  for (int i = 0; i < 1000; ++i) lines.push_back(std::to_string(i));  // grows past its room
  for (int i = 0; i < 1000; ++i) lines.push_back(lines[0]);  // a line of its own, while growing
  lines.Insert(1, "header");
  EXPECT_EQ(lines.size(), 2003u);
  EXPECT_EQ(lines[1], "header");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[1002], "999");
  EXPECT_EQ(lines.back(), "10 permit ip any any");
  EXPECT_EQ(LineList(lines.ToStrings()), lines);
}

}  // namespace
}  // namespace kerbwise

// The integer reader and the address and text primitives.
#include "rules/primitives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "rules/integer_reader.h"

namespace kerbwise {
namespace {

constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

TEST(IntegerReader, ReadsDecimalHexadecimalAndSigns) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"007", 7},
      {"  12", 12},
      {"+5", 5},
      {"-5", -5},
      {"-0", 0},
      {"$50", 80},
      {"$ff", 255},
      {"x1F", 31},
      {"X10", 16},
      {"0x10", 16},
      {"-$10", -16},
      {"+0x10", 16},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadInteger(c.text), c.value) << c.text;
    EXPECT_EQ(ReadIntDefault(c.text, 256), c.value) << c.text;
    EXPECT_EQ(ReadIntStrict(c.text), c.value) << c.text;
  }
}

TEST(IntegerReader, TextThatIsNoNumberGivesTheDefault) {
  for (const char* text :
       {"", " ", "+", "-", "$", "0x", "12 ", "1 2", "12a", "a12", "$g", "--1", "+-1", "$-1", "1.5",
        "\t1", "99999999999", "123456789012345678901234567890"}) {
    EXPECT_FALSE(ReadInteger(text).has_value()) << '"' << text << '"';
    EXPECT_EQ(ReadIntDefault(text, -7), -7) << '"' << text << '"';
  }
}

TEST(IPToVal, AcceptsDottedQuads) {
  struct Case {
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"1.2.3.4", Ip(1, 2, 3, 4)},
      {"010.0.0.1", Ip(10, 0, 0, 1)},  // leading zeros, still decimal
      {"255.255.255.255", 4294967295u},
      {"0.0.0.0", 0},
      {"$a.0.0.1", Ip(10, 0, 0, 1)},  // every octet goes through the integer reader
  };
  for (const Case& c : cases) EXPECT_EQ(IPToVal(c.text), c.value) << c.text;
}

TEST(IPToVal, RefusesEverythingElse) {
  for (const char* text :
       {"", "1.2.3", "1.2.3.4.5", "1.2.3.4/24", "1.2.3.256", "1..2.3", "1.2.3.4 ", "1234.1.1.1",
        ".1.1.1", "1.2.3.4.", "1.2.3.", "-1.2.3.4", "a.b.c.d", "1.2.3.0004", "1.2.3.4x"}) {
    EXPECT_FALSE(IPToVal(text).has_value()) << '"' << text << '"';
  }
}

TEST(ValToIP, WritesFourDecimalOctets) {
  EXPECT_EQ(ValToIP(167772161), "10.0.0.1");
  EXPECT_EQ(ValToIP(0), "0.0.0.0");
  EXPECT_EQ(ValToIP(4294967295u), "255.255.255.255");
}

TEST(CorrectAddrAndMask, ProposeTheTwoFixesInTheUsersMaskForm) {
  const std::uint32_t address = Ip(10, 1, 1, 1);
  const std::uint32_t mask = Ip(255, 255, 255, 0);
  EXPECT_EQ(ValToIP(CorrectAddr(address, mask)), "10.1.1.0");
  EXPECT_EQ(ValToIP(CorrectMask(address, mask, MaskForm::Netmask)), "255.255.255.1");
  EXPECT_EQ(ValToIP(CorrectMask(address, mask, MaskForm::Wildcard)), "0.0.0.254");
}

TEST(SpaceCompress, ShortensRunsOfBlanksOnly) {
  EXPECT_EQ(SpaceCompress("  permit   ip  any any "), " permit ip any any ");
  EXPECT_EQ(SpaceCompress(""), "");
  EXPECT_EQ(SpaceCompress("   "), " ");
  EXPECT_EQ(SpaceCompress("a\t\tb"), "a\t\tb");  // tabs are not blanks
  EXPECT_EQ(SpaceCompress("a \t  b"), "a \t b");
  EXPECT_EQ(SpaceCompress(std::string("a\0  b", 5)), std::string("a\0 b", 4));
}

TEST(SpaceCompress, HandlesTextsLongerThanSixtyFiveThousandCharacters) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    text += "ab    ";
    expected += "ab ";
  }
  EXPECT_EQ(SpaceCompress(text), expected);
  EXPECT_EQ(SpaceCompress(std::string(100000, ' ')), " ");
}

TEST(ReplChr, RepeatsOneCharacter) {
  EXPECT_EQ(ReplChr('-', 0), "");
  EXPECT_EQ(ReplChr('\0', 5), "");
  EXPECT_EQ(ReplChr('=', 3), "===");
  EXPECT_EQ(ReplChr('.', 65535), std::string(65535, '.'));
}

}  // namespace
}  // namespace kerbwise

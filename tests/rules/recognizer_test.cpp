// Recognition of entries with the built-in template, and the recognition cache.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/line_recognizer.h"

namespace kerbwise {
namespace {

constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}
constexpr std::uint32_t kHost = 0xFFFFFFFFu;

using Values = std::vector<OptionValues::Entry>;

CheckOptions Options(MaskForm maskType) {
  CheckOptions options;
  options.MaskType = maskType;
  return options;
}

// Recognises one line with a fresh recognizer; the built-in template never
// reports an error of its own.
TExpr Recognize(const std::string& line, MaskForm maskType = MaskForm::Wildcard) {
  LineRecognizer recognizer;
  const ExprPtr expr = recognizer.ExprCheck(line, Options(maskType));
  EXPECT_EQ(recognizer.TemplateError(), "") << line;
  EXPECT_EQ(recognizer.ParameterError(), "") << line;
  return *expr;
}

TEST(ExprCheck, WorkedExample) {
  LineRecognizer recognizer;
  const std::string line = "deny tcp host 10.1.0.1 any eq www log established";
  const TExpr expr = *recognizer.ExprCheck(line, Options(MaskForm::Wildcard));
  EXPECT_EQ(expr.Status, StatusDeny);
  EXPECT_EQ(expr.SrcAddr, Ip(10, 1, 0, 1));
  EXPECT_EQ(expr.SrcMask, kHost);
  EXPECT_EQ(expr.DstAddr, 0u);
  EXPECT_EQ(expr.DstMask, 0u);
  const Values expected{{SideNone, SlotProtocol, "6"},
                        {SideNone, SlotEstablished, "established"},
                        {SideNone, SlotLog, "log"},
                        {SideDestination, SlotPort, "eq 80"}};
  EXPECT_EQ(expr.Values.Entries(), expected);
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);
}

TEST(ExprCheck, AddressesAndMasks) {
  struct Case {
    std::string line;
    MaskForm maskType;
    std::uint8_t status;
    std::array<std::uint32_t, 4> fields;  // source, its mask, destination, its mask
  };
  const std::uint32_t net = Ip(192, 168, 0, 0), mask24 = Ip(255, 255, 255, 0);
  const std::vector<Case> cases = {
      {"permit ip any any", MaskForm::Wildcard, StatusPermit, {0, 0, 0, 0}},
      {"deny tcp host 10.1.0.1 192.168.0.0 0.0.0.255 eq 80",
       MaskForm::Wildcard,
       StatusDeny,
       {Ip(10, 1, 0, 1), kHost, net, mask24}},
      {"deny tcp host 10.1.0.1 192.168.0.0 255.255.255.0 eq 80",
       MaskForm::Netmask,
       StatusDeny,
       {Ip(10, 1, 0, 1), kHost, net, mask24}},
      {"permit ip 10.0.0.0 0.0.0.255 any",
       MaskForm::Netmask,
       StatusPermit,
       {Ip(10, 0, 0, 0), 255, 0, 0}},
      // A prefix always gives a netmask; an address keeps bits outside its mask.
      {"permit ip 10.0.0.0/0 1.2.3.4/8",
       MaskForm::Netmask,
       StatusPermit,
       {Ip(10, 0, 0, 0), 0, Ip(1, 2, 3, 4), Ip(255, 0, 0, 0)}},
      {"permit ip 10.1.1.1 0.0.0.255 host 10.2.2.2",
       MaskForm::Wildcard,
       StatusPermit,
       {Ip(10, 1, 1, 1), mask24, Ip(10, 2, 2, 2), kHost}},
      // Nothing after "remark" is read.
      {"remark", MaskForm::Wildcard, StatusRemark, {0, 0, 0, 0}},
      {"REMARK permit ip host 1.2.3.4 any ? ,", MaskForm::Wildcard, StatusRemark, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TExpr expr = Recognize(c.line, c.maskType);
    EXPECT_EQ(expr.Status, c.status) << c.line;
    const std::array<std::uint32_t, 4> fields{expr.SrcAddr, expr.SrcMask, expr.DstAddr,
                                              expr.DstMask};
    EXPECT_EQ(fields, c.fields) << c.line;
  }
}

TEST(ExprCheck, PortsAndOptions) {
  const OptionValues::Entry tcp{SideNone, SlotProtocol, "6"};
  struct Case {
    std::string line;
    Values values;  // every filled slot in (side, slot) order
  };
  const std::vector<Case> cases = {
      {"permit tcp any any eq www 443 log",
       {tcp, {SideNone, SlotLog, "log"}, {SideDestination, SlotPort, "eq 80 443"}}},
      {"permit tcp any eq 80 443 any", {tcp, {SideSource, SlotPort, "eq 80 443"}}},
      {"permit tcp any range ftp-data 21 any gt 1023",
       {tcp, {SideSource, SlotPort, "range 20 21"}, {SideDestination, SlotPort, "gt 1023"}}},
      {"permit tcp any any neq 80 81", {tcp, {SideDestination, SlotPort, "neq 80 81"}}},
      {"permit tcp any any eq 0080", {tcp, {SideDestination, SlotPort, "eq 80"}}},
      {"permit tcp any any eq $50", {tcp, {SideDestination, SlotPort, "eq 80"}}},
      {"permit tcp any any eq 80 443 log established",
       {tcp,
        {SideNone, SlotEstablished, "established"},
        {SideNone, SlotLog, "log"},
        {SideDestination, SlotPort, "eq 80 443"}}},
      {"permit tcp any any log time-range X ttl eq 5 precedence 3 established",
       {tcp,
        {SideNone, SlotEstablished, "established"},
        {SideNone, SlotPrecedence, "precedence 3"},
        {SideNone, SlotTtl, "ttl eq 5"},
        {SideNone, SlotTimeRange, "time-range X"},
        {SideNone, SlotLog, "log"}}},
      {"permit tcp any any precedence critical ttl range 1 255 log-input",
       {tcp,
        {SideNone, SlotPrecedence, "precedence 5"},
        {SideNone, SlotTtl, "ttl range 1 255"},
        {SideNone, SlotLog, "log-input"}}},
      {"permit udp any any eq ntp 69",
       {{SideNone, SlotProtocol, "17"}, {SideDestination, SlotPort, "eq 123 69"}}},
      {"permit ip any any ttl eq 14 15",
       {{SideNone, SlotProtocol, "ip"}, {SideNone, SlotTtl, "ttl eq 14 15"}}},
      {"permit ip any any time-range Office-Hours",
       {{SideNone, SlotProtocol, "ip"}, {SideNone, SlotTimeRange, "time-range Office-Hours"}}},
      {"permit icmp any any echo-reply",
       {{SideNone, SlotProtocol, "1"}, {SideNone, SlotPort, "0"}}},
      {"permit icmp any any ttl-exceeded log",
       {{SideNone, SlotProtocol, "1"}, {SideNone, SlotPort, "2816"}, {SideNone, SlotLog, "log"}}},
      {"permit icmp any any 8", {{SideNone, SlotProtocol, "1"}, {SideNone, SlotPort, "8"}}},
  };
  for (const Case& c : cases) {
    const TExpr expr = Recognize(c.line);
    EXPECT_EQ(expr.Status, StatusPermit) << c.line;
    EXPECT_EQ(expr.Values.Entries(), c.values) << c.line;
  }
}

TEST(ExprCheck, ProtocolByKeywordOrNumber) {
  const std::pair<const char*, const char*> protocols[] = {
      {"tcp", "6"},  {"udp", "17"},   {"icmp", "1"},   {"esp", "50"},
      {"gre", "47"}, {"ipinip", "4"}, {"eigrp", "88"}, {"ospf", "89"}};
  for (const auto& [keyword, number] : protocols) {
    const TExpr byKeyword = Recognize(std::string("permit ") + keyword + " any any");
    const TExpr byNumber = Recognize(std::string("permit ") + number + " any any");
    EXPECT_EQ(byKeyword.Status, StatusPermit) << keyword;
    EXPECT_EQ(byKeyword.Values.Get(SideNone, SlotProtocol), number) << keyword;
    EXPECT_EQ(byNumber, byKeyword) << number;
  }
  EXPECT_EQ(Recognize("permit 006 any any"), Recognize("permit tcp any any"));
  EXPECT_EQ(Recognize("PERMIT TCP ANY ANY EQ WWW"), Recognize("permit tcp any any eq www"));
  EXPECT_EQ(Recognize("permit tcp any any log established"),
            Recognize("permit tcp any any established log"));
}

TEST(ExprCheck, LinesOutsideTheTemplateAreNotRecognised) {
  for (const char* line : {
           "permit tcp any any established eq 80",  // ports come before the free-order options
           "permit ip any any log log",
           "permit ip any any precedence 5 precedence 6",
           "permit tcp any any gt 80 81",
           "permit tcp any any range 10",
           "permit tcp any any eq 80 neq 81",
           "permit icmp any any log echo",
           "permit ip any any established",
           "deny udp any any established",
           "permit ip any any ttl",
           "permit icmp any any 3 1",
           "permit tcp any any eq ntp",
           "permit ip 10.0.0.0/33 any",
           "permit tcp 10.0.0.1 any",
           "permit ip any any time-range a?b",
           "permit ip any any remark",
           "tcp host 10.1.0.1 any",
           "permit $6 any any",
           "allow ip any any",
       }) {
    EXPECT_EQ(Recognize(line).Status, StatusUnrecognised) << line;
  }
  const std::string longName = "permit ip any any time-range " + std::string(257, 'n');
  EXPECT_EQ(Recognize(longName).Status, StatusUnrecognised);
}

TEST(ExprCheck, OddInputNeverBreaksRecognition) {
  LineRecognizer recognizer;
  const CheckOptions options;
  const ExprPtr empty = recognizer.ExprCheck("", options);
  EXPECT_EQ(*empty, TExpr{});
  EXPECT_EQ(recognizer.CachedLineCount(), 0u);

  for (const std::string& line : {
           std::string(" "),
           std::string("  "),
           std::string(" permit ip any any"),
           std::string("permit  ip any any"),
           std::string("permit\tip any any"),
           std::string("permit ip any any\t"),
           std::string("permit ip any\0 any", 18),
           std::string("\0", 1),
           std::string("permit ip any any \xC3\xA9q"),
           std::string("\xFF\xFE permit"),
           std::string(100000, 'x'),
           "permit ip any any time-range " + std::string(100000, 'n'),
       }) {
    EXPECT_EQ(recognizer.ExprCheck(line, options)->Status, StatusUnrecognised)
        << line.substr(0, 40);
  }
  // One trailing blank leaves an empty last word, which reads as the end of
  // the input; words after a run of blanks are never dropped unread.
  EXPECT_EQ(recognizer.ExprCheck("permit ip any any ", options)->Status, StatusPermit);
  EXPECT_EQ(recognizer.ExprCheck("permit ip any any  log", options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.ExprCheck("permit ip any any  ", options)->Status, StatusPermit);
  // Names are taken byte for byte.
  const std::string odd("Zeitpl\xC3\xA4n\0x", 10);
  EXPECT_EQ(recognizer.ExprCheck("permit ip any any time-range " + odd, options)
                ->Values.Get(SideNone, SlotTimeRange),
            "time-range " + odd);

  std::string ports = "permit tcp any any eq";
  std::string garbage;
  for (int i = 0; i < 10000; ++i) {
    ports += ' ' + std::to_string(i % 65536);
    garbage += "x ";
  }
  const ExprPtr many = recognizer.ExprCheck(ports, options);
  ASSERT_EQ(many->Status, StatusPermit);
  EXPECT_EQ(many->Values.Get(SideDestination, SlotPort), ports.substr(ports.find("eq")));
  EXPECT_EQ(recognizer.ExprCheck(garbage, options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.ExprCheck("remark " + garbage + std::string(100000, 'r'), options)->Status,
            StatusRemark);
}

TEST(RecognitionCache, ServesRepeatedLinesAndKeepsOnlyRecognisedOnes) {
  LineRecognizer recognizer;
  const CheckOptions options;
  const ExprPtr first = recognizer.ExprCheck("permit tcp any any eq www", options);
  const ExprPtr again = recognizer.ExprCheck("permit tcp any any eq www", options);
  EXPECT_EQ(*again, *first);
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);

  // The key is the exact text.
  recognizer.ExprCheck("PERMIT tcp any any eq www", options);
  recognizer.ExprCheck("remark x", options);
  recognizer.ExprCheck("deny ip any any", options);
  EXPECT_EQ(recognizer.CachedLineCount(), 4u);
  recognizer.ExprCheck("permit tcp any any eq nonsense", options);
  recognizer.ExprCheck("permit tcp any any eq nonsense", options);
  recognizer.ExprCheck("", options);
  EXPECT_EQ(recognizer.CachedLineCount(), 4u);

  // No capacity limit, whatever size was announced.
  recognizer.EmptyCache(2);
  for (int i = 0; i < 300; ++i) {
    const std::string line = "permit tcp any any eq " + std::to_string(i);
    ASSERT_EQ(recognizer.ExprCheck(line, options)->Values.Get(SideDestination, SlotPort),
              "eq " + std::to_string(i));
  }
  EXPECT_EQ(recognizer.CachedLineCount(), 300u);
  EXPECT_EQ(recognizer.ExprCheck("permit tcp any any eq 7", options)
                ->Values.Get(SideDestination, SlotPort),
            "eq 7");
  EXPECT_EQ(recognizer.CachedLineCount(), 300u);
}

TEST(RecognitionCache, EmptiedOnTheNextCallAfterEmptyCache) {
  LineRecognizer recognizer;
  const CheckOptions options;
  recognizer.ExprCheck("permit ip any any", options);
  recognizer.ExprCheck("deny ip any any", options);
  recognizer.EmptyCache();
  EXPECT_EQ(recognizer.CachedLineCount(), 2u);
  recognizer.ExprCheck("", options);  // an empty line returns before anything else
  EXPECT_EQ(recognizer.CachedLineCount(), 2u);
  EXPECT_EQ(recognizer.ExprCheck("deny ip any any", options)->Status, StatusDeny);
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);
}

TEST(RecognitionCache, MaskTypeChangeRereadsMasks) {
  LineRecognizer recognizer;
  const std::string line = "permit ip 10.0.0.0 0.0.0.255 any";
  EXPECT_EQ(recognizer.ExprCheck(line, Options(MaskForm::Wildcard))->SrcMask, Ip(255, 255, 255, 0));
  EXPECT_EQ(recognizer.ExprCheck(line, Options(MaskForm::Netmask))->SrcMask, Ip(0, 0, 0, 255));
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);
  EXPECT_EQ(recognizer.ExprCheck(line, Options(MaskForm::Wildcard))->SrcMask, Ip(255, 255, 255, 0));
}

}  // namespace
}  // namespace kerbwise

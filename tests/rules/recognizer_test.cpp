// Recognition of entries with the built-in template, and the recognition caches.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "rules/line_recognizer.h"
#include "rules/primitives.h"
#include "rules/record_cache.h"

namespace kerbwise {
namespace {

// Recognises one line with a fresh recognizer; the built-in template never
// reports an error of its own.
RuleRecord Recognize(const std::string& line, MaskForm maskType = MaskForm::Wildcard) {
  LineRecognizer recognizer;
  const RecordPtr expr = recognizer.Recognize(line, {.MaskType = maskType});
  EXPECT_EQ(recognizer.TemplateError(), "") << line;
  EXPECT_EQ(recognizer.ParameterError(), "") << line;
  return *expr;
}

TEST(Recognize, AddressesAndMasks) {
  const MaskForm wildcard = MaskForm::Wildcard, netmask = MaskForm::Netmask;
  // Line, mask type, then status, source and destination as address/netmask.
  const std::tuple<std::string, MaskForm, std::string> cases[] = {
      {"permit ip any any", wildcard, "2 0.0.0.0/0.0.0.0 0.0.0.0/0.0.0.0"},
      {"deny tcp host 10.1.0.1 192.168.0.0 0.0.0.255 eq 80", wildcard,
       "3 10.1.0.1/255.255.255.255 192.168.0.0/255.255.255.0"},
      {"deny tcp host 10.1.0.1 192.168.0.0 255.255.255.0 eq 80", netmask,
       "3 10.1.0.1/255.255.255.255 192.168.0.0/255.255.255.0"},
      // A prefix always gives a netmask; an address keeps bits outside its mask.
      {"permit ip 10.0.0.0/0 1.2.3.4/8", netmask, "2 10.0.0.0/0.0.0.0 1.2.3.4/255.0.0.0"},
      {"permit ip 10.1.1.1 0.0.0.255 host 10.2.2.2", wildcard,
       "2 10.1.1.1/255.255.255.0 10.2.2.2/255.255.255.255"},
      // Nothing after "remark" is read.
      {"REMARK permit ip host 1.2.3.4 any ? ,", wildcard, "4 0.0.0.0/0.0.0.0 0.0.0.0/0.0.0.0"},
  };
  for (const auto& [line, maskType, record] : cases) {
    const RuleRecord e = Recognize(line, maskType);
    EXPECT_EQ(std::to_string(e.Status) + " " + ValToIP(e.SrcAddr) + "/" + ValToIP(e.SrcMask) + " " +
                  ValToIP(e.DstAddr) + "/" + ValToIP(e.DstMask),
              record)
        << line;
  }
}

// Every filled slot in (side, slot) order, as side.slot=text.
std::string Slots(const RuleRecord& expr) {
  std::string text;
  for (const OptionValues::Entry& entry : expr.Values.Entries()) {
    text += (text.empty() ? "" : " ") + std::to_string(entry.side) + "." +
            std::to_string(entry.slot) + "=" + entry.text;
  }
  return text;
}

TEST(Recognize, PortsAndOptions) {
  const std::pair<const char*, const char*> cases[] = {
      {"permit tcp any any eq www 443 log", "0.0=6 0.6=log 2.1=eq 80 443"},
      {"permit tcp any eq 80 443 any", "0.0=6 1.1=eq 80 443"},
      {"permit tcp any range ftp-data 21 any gt 1023", "0.0=6 1.1=range 20 21 2.1=gt 1023"},
      {"permit tcp any any log time-range X ttl eq 5 precedence 3 established",
       "0.0=6 0.2=established 0.3=precedence 3 0.4=ttl eq 5 0.5=time-range X 0.6=log"},
      {"permit udp any any eq ntp 69", "0.0=17 2.1=eq 123 69"},
      {"permit icmp any any ttl-exceeded log", "0.0=1 0.1=2816 0.6=log"},
      // The rest of the router's vocabulary; a time range's state is read but not kept.
      {"permit tcp any range 22 telnet any eq telnet snmp http log-input",
       "0.0=6 0.6=log-input 1.1=range 22 23 2.1=eq 23 161 80"},
      {"permit tcp any any log match-any +syn -ack time-range T (active)",
       "0.0=6 0.5=time-range T 0.6=log 0.9=match-any +syn -ack"},
      {"permit tcp any any ack RST reflect R timeout 60 log-update threshold 5",
       "0.0=6 0.9=ack rst 0.12=reflect R 0.13=log-update 0.14=timeout 60 0.16=threshold 5"},
      {"permit udp any any dscp af41 tos normal fragments option lsr evaluate E",
       "0.0=17 0.7=dscp 34 0.8=tos 0 0.10=fragments 0.11=option 131 0.12=evaluate E"},
      {"permit igmp any any pim", "0.0=2 0.1=20"},
      {"permit sctp any eq 5060 any", "0.0=132 1.1=eq 5060"},
      {"permit 200 any any precedence 2", "0.0=200 0.3=precedence 2"},
  };
  for (const auto& [line, slots] : cases) {
    const RuleRecord expr = Recognize(line);
    EXPECT_EQ(expr.Status, StatusPermit) << line;
    EXPECT_EQ(Slots(expr), slots) << line;
  }
}

TEST(Recognize, ProtocolByKeywordOrNumber) {
  const std::pair<const char*, const char*> protocols[] = {
      {"tcp", "6"},  {"udp", "17"},  {"icmp", "1"}, {"ipinip", "4"}, {"ospf", "89"}, {"ahp", "51"},
      {"igmp", "2"}, {"pim", "103"}, {"nos", "94"}, {"pcp", "108"},  {"sctp", "132"}};
  for (const auto& [keyword, number] : protocols) {
    const RuleRecord byKeyword = Recognize(std::string("permit ") + keyword + " any any");
    const RuleRecord byNumber = Recognize(std::string("permit ") + number + " any any");
    EXPECT_EQ(byKeyword.Status, StatusPermit) << keyword;
    EXPECT_EQ(byKeyword.Values.Get(SideNone, SlotProtocol), number) << keyword;
    EXPECT_EQ(byNumber, byKeyword) << number;
  }
}

// A standard entry reads as the extended entry from its source to anywhere.
TEST(Recognize, StandardEntriesAreTheirExtendedEquivalents) {
  const std::pair<const char*, const char*> cases[] = {
      {"permit 172.16.191.199", "permit ip host 172.16.191.199 any"},
      {"permit host 10.1.1.1", "permit ip host 10.1.1.1 any"},
      {"deny any log", "deny ip any any log"},
      {"permit 10.0.0.0 0.0.0.255", "permit ip 10.0.0.0 0.0.0.255 any"},
      {"permit 10.0.10.0, wildcard bits 0.255.0.255 log",
       "permit ip 10.0.10.0 0.255.0.255 any log"},
  };
  for (const auto& [standard, extended] : cases) {
    EXPECT_EQ(Recognize(standard), Recognize(extended)) << standard;
  }
  // The wildcard bits that lists print are wildcard bits whatever the mask type.
  EXPECT_EQ(Recognize("permit 10.0.10.0, wildcard bits 0.255.0.255", MaskForm::Netmask),
            Recognize("permit ip 10.0.10.0 0.255.0.255 any"));
}

// Among them: ports come before the free-order options, and each of those comes once.
TEST(Recognize, LinesOutsideTheTemplateAreNotRecognised) {
  for (const char* line :
       {"permit tcp any any established eq 80", "permit ip any any log log",
        "permit tcp any any gt 80 81", "permit tcp any any range 10",
        "permit tcp any any eq 80 neq 81", "permit icmp any any log echo",
        "deny udp any any established", "permit ip any any ttl", "permit icmp any any 3 1",
        "permit tcp 10.0.0.1 any", "permit ip any any remark", "tcp host 10.1.0.1 any",
        // Words still outside the vocabulary, and values out of range.
        "permit 256 any any", "permit udp any any syn", "permit tcp any any match-any",
        "permit tcp any any match-all syn", "permit ip any any dscp 64", "permit igmp any any 16",
        "permit ip any any option any-options", "permit tcp any any log-update 5",
        "permit ip any any tos 16", "evaluate E", "permit esp any any eq 80",
        // A standard entry names no destination and no options but log.
        "permit 10.0.0.1 any", "permit 10.0.0.0, 0.0.0.255", "permit host 10.0.0.1 log-input",
        "deny 10.0.0.0/8", "permit ip any any (active)",
        "permit ip any any (active) time-range T"}) {
    EXPECT_EQ(Recognize(line).Status, StatusUnrecognised) << line;
  }
}

TEST(Recognize, OddInputNeverBreaksRecognition) {
  LineRecognizer recognizer;
  const CheckOptions options;
  EXPECT_EQ(*recognizer.Recognize("", options), RuleRecord{});
  EXPECT_EQ(recognizer.CachedLineCount(), 0u);

  for (const std::string& line :
       {std::string(" "), std::string(" permit ip any any"), std::string("permit  ip any any"),
        std::string("permit ip any any\t"), std::string("permit ip any\0 any", 18),
        std::string(100000, 'x'), "permit ip any any time-range " + std::string(100000, 'n')}) {
    EXPECT_EQ(recognizer.Recognize(line, options)->Status, StatusUnrecognised)
        << line.substr(0, 40);
  }
  // One trailing blank leaves an empty last word, which reads as the end of
  // the input; words after a run of blanks are never dropped unread.
  EXPECT_EQ(recognizer.Recognize("permit ip any any ", options)->Status, StatusPermit);
  EXPECT_EQ(recognizer.Recognize("permit ip any any  log", options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.Recognize("permit ip any any  ", options)->Status, StatusPermit);
  // Names are taken byte for byte.
  const std::string odd("Zeitpl\xC3\xA4n\0x", 10);
  EXPECT_EQ(recognizer.Recognize("permit ip any any time-range " + odd, options)
                ->Values.Get(SideNone, SlotTimeRange),
            "time-range " + odd);

  // A megabyte list of ports goes through every command in the CLI's hostile input test.
  std::string garbage;
  for (int i = 0; i < 10000; ++i) garbage += "x ";
  EXPECT_EQ(recognizer.Recognize(garbage, options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.Recognize("remark " + garbage + std::string(100000, 'r'), options)->Status,
            StatusRemark);
}

TEST(RecognitionCache, KeepsRecognisedLinesUntilEmptied) {
  LineRecognizer recognizer;
  const CheckOptions options;
  const RecordPtr first = recognizer.Recognize("permit tcp any any eq www", options);
  EXPECT_EQ(*recognizer.Recognize("permit tcp any any eq www", options), *first);
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);
  // The key is the exact text; unrecognised and empty lines are not kept.
  recognizer.Recognize("PERMIT tcp any any eq www", options);
  recognizer.Recognize("remark x", options);
  recognizer.Recognize("permit tcp any any eq nonsense", options);
  recognizer.Recognize("permit tcp any any eq nonsense", options);
  recognizer.Recognize("", options);
  EXPECT_EQ(recognizer.CachedLineCount(), 3u);

  // Emptied on the next call that reads a line.
  recognizer.EmptyCache(2);
  recognizer.Recognize("", options);
  EXPECT_EQ(recognizer.CachedLineCount(), 3u);
  EXPECT_EQ(recognizer.Recognize("deny ip any any", options)->Status, StatusDeny);
  EXPECT_EQ(recognizer.CachedLineCount(), 1u);
}

TEST(RecordCache, FindsEveryLineThroughGrowthAndReset) {
  RecordCache cache;
  const auto line = [](int i) { return "permit ip host 10.0." + std::to_string(i) + " any"; };
  // Far more lines than the table first holds: it must grow without losing any.
  for (int i = 0; i < 5000; ++i) {
    RuleRecord record;
    record.Status = static_cast<std::uint8_t>(i % 5);
    cache.Insert(line(i), std::make_shared<const RuleRecord>(record));
  }
  ASSERT_EQ(cache.size(), 5000u);
  for (int i = 0; i < 5000; ++i) {
    const RecordPtr* found = cache.Find(line(i));
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ((*found)->Status, i % 5);
  }
  EXPECT_EQ(cache.Find(line(5000)), nullptr);
  EXPECT_EQ(cache.Find(""), nullptr);
  cache.Reset(10);
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(cache.Find(line(1)), nullptr);
}

}  // namespace
}  // namespace kerbwise

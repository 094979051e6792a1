// Pastes of real router output and configurations: the lists they hold, the
// noise around them, numbered lists, object groups beside the lists and the
// counters of show output.
#include "intake/found_lists.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

#include "intake/normalize_acl.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "scripted_answers.h"

namespace kerbwise {

// Failures show the lists, not their bytes.
void PrintTo(const FoundList& list, std::ostream* out) {
  *out << '{' << list.Name << ' ' << static_cast<int>(list.Kind) << " \"" << list.KindText << "\" "
       << list.Entries << '}';
}

namespace {

using Lines = std::vector<std::string>;
using Hits = std::vector<std::optional<std::uint64_t>>;
using Found = std::vector<FoundList>;
using testing::ScriptedAnswers;
constexpr ListKind kExtended = ListKind::Extended;
constexpr ListKind kStandard = ListKind::Standard;
constexpr ListKind kUnread = ListKind::Unread;

// The lines of a file of real router output; empty when it is not there.
Lines RealWorld(const std::string& name) {
  std::ifstream file(std::string(KERBWISE_REALWORLD_DIR) + "/" + name);
  Lines lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// A run that must ask nothing.
NormalizeResult Normalize(const Lines& source, const std::string& list = {},
                          const Lines& objects = {}) {
  ScriptedAnswers answers;
  return NormalizeACL(source, objects, {}, answers, {}, list);
}

TEST(RealWorldPaste, MixedShowOutputHoldsSixListsReadApart) {
  const Lines paste = RealWorld("show-access-lists-mixed.txt");
  if (paste.empty()) GTEST_SKIP() << "no real-world samples";
  // The lists it holds are listed by the normalize command's test.
  // The first extended list is chosen unless one is named; an empty list is
  // empty, not the start of the next one.
  const NormalizeResult chosen = Normalize(paste);
  EXPECT_EQ(chosen.AclName, "test");
  EXPECT_TRUE(chosen.ListLines.empty());
  EXPECT_FALSE(chosen.Error);

  const NormalizeResult sample = Normalize(paste, "sample");
  ASSERT_EQ(sample.ListLines.size(), 66u);
  EXPECT_EQ(sample.ListLines[58],
            " 590 permit tcp 10.10.37.24 0.0.0.7 10.3.140.64 0.0.0.31 eq 9815 "
            "log time-range test");
  // This output prints no counters at all.
  EXPECT_EQ(sample.Hits, Hits(66));
  EXPECT_TRUE(sample.CanAnalyseAndSort());

  // Standard entries keep their text, but for the mask show output words its
  // own way, and their numbers raise no question.
  const NormalizeResult standard = Normalize(paste, "99");
  EXPECT_EQ(standard.Kind, kStandard);
  EXPECT_EQ(standard.ListLines, Lines({" 10 permit 172.16.191.199", " 20 deny   any log",
                                       " 30 permit 10.0.10.0 0.255.0.255"}));
}

TEST(RealWorldPaste, ObjectGroupsAndServiceGroupInTheProtocolPositionExpand) {
  const Lines paste = RealWorld("show-access-lists-object-groups.txt");
  if (paste.empty()) GTEST_SKIP() << "no real-world samples";
  EXPECT_EQ(FindLists(paste), (Found{{"access-acl", kExtended, "", 20}}));
  const Lines networks = {"object-group network SRC_NETWORK_OBJECT_GROUP", " host 10.0.0.1",
                          " 10.2.0.0 255.255.0.0", "object-group network DST_NETWORK_OBJECT_GROUP",
                          " host 10.9.9.9"};
  Lines objects = networks;
  objects.insert(objects.end(), {"object-group service SERVICE_OBJECT_GROUP", " tcp eq 80",
                                 " udp range 1 5", " icmp echo", " ip", " tcp source eq 22 eq 23"});
  const NormalizeResult result = Normalize(paste, {}, objects);
  ASSERT_FALSE(result.Error);
  // Nine lines with the two-member source group, six with the one-member
  // destination only; then five services times two, two, two, one, one.
  EXPECT_EQ(result.ListLines.size(), 9u * 2 + 6 + 5 * (2 + 2 + 2 + 1 + 1));
  // What each kind of service member makes is the object expander's test.
  EXPECT_EQ(result.ListLines.back(),
            "0200 permit tcp 10.1.2.0 0.0.0.255 eq 22 host 10.9.9.9 eq 23");
  EXPECT_EQ(result.ListLines[0], "010 permit udp host 10.0.0.1 host 10.9.9.9 eq domain");

  const NormalizeResult missing = Normalize(paste, {}, networks);
  EXPECT_EQ(missing.Error, (ObjectError{ObjectProblem::GroupNotFound, "SERVICE_OBJECT_GROUP", {}}));
}

TEST(ServiceGroupInTheProtocolPosition, OnlyAWordThatCanBeAGroupIsOne) {
  const Lines objects = {"object-group service web", " tcp eq 80"};
  // A defined group is expanded whatever its name looks like; an undefined
  // word that reads like a keyword is left to the recognizer (an unknown
  // protocol); any other undefined word is a missing group.
  EXPECT_EQ(Normalize({"permit web any any"}, {}, objects).ListLines,
            Lines({"010 permit tcp any any eq 80"}));
  EXPECT_EQ(Normalize({"permit ipv6 any any"}, {}, objects).ListLines,
            Lines({" 10 permit ipv6 any any"}));
  EXPECT_EQ(Normalize({"permit Web any any"}, {}, objects).Error,
            (ObjectError{ObjectProblem::GroupNotFound, "Web", {}}));
  // Protocols, numbers, addresses and standard lists are never groups.
  for (const Lines& plain :
       {Lines{"permit 41 any any"}, Lines{"permit PIM any any"}, Lines{"permit 10.0.0.0/8 any"},
        Lines{"deny any log"}, Lines{"ip access-list standard S", "permit Web any"}}) {
    EXPECT_FALSE(Normalize(plain, {}, objects).Error) << plain.back();
  }
}

// A running configuration pasted whole, echoed commands and all.
const Lines kConfiguration = {
    "R1>show running-config",
    "R1#show running-config",
    "Building configuration...",
    "",
    "Current configuration : 1234 bytes",
    "!",
    "object-group network WEB",
    " host 10.0.0.80",
    " 10.0.1.0 255.255.255.0",
    "object-group service MAIL",
    " tcp eq 25",
    "!",
    "ip access-list extended EDGE",
    " 10 remark mail in",
    " 10 permit MAIL any object-group WEB",
    "Load for five secs: 1%/0%; one minute: 2%; five minutes: 1%",
    "Time source is NTP, 10:00:00.000 UTC Mon Dec 7 2026",
    "",
    " 20 permit tcp any object-group WEB eq 443 (12 matches)",
    "R1(config-ext-nacl)#no 30",
    "30 deny ip any any",
    " exit",
    "access-list 101 remark old list",
    "access-list 101 permit tcp any host 10.1.1.1 eq www",
    "access-list 5 permit 10.0.10.0, wildcard bits 0.255.0.255",
    "no ip access-list extended OLD",
    "access-list 101 deny ip any any",
    "ipv6 access-list EDGE",
    " permit ipv6 any any",
    "mac access-list extended M",
    " permit any any",
    "end",
};

TEST(ConfigurationPaste, ListsNumberedListsGroupsAndNoiseAreTakenApart) {
  EXPECT_EQ(FindLists(kConfiguration), (Found{{"EDGE", kExtended, "", 4},
                                              {"101", kExtended, "", 3},
                                              {"5", kStandard, "", 1},
                                              {"EDGE", kUnread, "IPv6", 1},
                                              {"M", kUnread, "MAC", 1}}));

  // The groups of the paste expand as if pasted among the objects; the
  // remark shares its entry's number; the counter stays beside its entries.
  const NormalizeResult edge = Normalize(kConfiguration, "EDGE");
  EXPECT_EQ(edge.ListLines,
            Lines({" 10 remark mail in", "010 permit tcp any host 10.0.0.80 eq 25",
                   "010 permit tcp any 10.0.1.0 0.0.0.255 eq 25",
                   "020 permit tcp any host 10.0.0.80 eq 443",
                   "020 permit tcp any 10.0.1.0 0.0.0.255 eq 443", " 30 deny ip any any"}));
  EXPECT_EQ(edge.Hits, (Hits{{}, {}, {}, 12, 12, {}}));
  // The paste is more than this list: it stays whole.
  EXPECT_EQ(edge.SourceLines.size(), kConfiguration.size());

  const NormalizeResult numbered = Normalize(kConfiguration, "101");
  EXPECT_EQ(numbered.HeaderLine, "ip access-list extended 101");
  EXPECT_EQ(numbered.ListLines,
            Lines({" 10 remark old list", " 20 permit tcp any host 10.1.1.1 eq www",
                   " 30 deny ip any any"}));

  // A list that is not read gives nothing to work on.
  const NormalizeResult mac = Normalize(kConfiguration, "M");
  EXPECT_EQ(mac.Kind, kUnread);
  EXPECT_TRUE(mac.ListLines.empty());

  // A group defined in the paste and in the object pane stops the run.
  const NormalizeResult twice =
      Normalize(kConfiguration, "EDGE", {"Network object group WEB", " host 10.0.0.1"});
  EXPECT_EQ(twice.Error, (ObjectError{ObjectProblem::DefinedTwice, "WEB", {}}));
}

TEST(ConfigurationPaste, UnreadListsAreNeverMergedIntoANeighbour) {
  const Lines paste = {"IPv6 access list X",
                       "  permit ipv6 any any (5 matches)",
                       "Extended IP access list X",
                       "  10 permit ip any any (1 match)",
                       "Extended MAC access list Y",
                       "  permit any any",
                       "Reflexive IP access list R",
                       "  permit tcp host 10.0.0.1 eq 80 host 10.0.0.2",
                       "remark ipv6 access-list Q and object-group network N are no headers"};
  EXPECT_EQ(FindLists(paste), (Found{{"X", kUnread, "IPv6", 1},
                                     {"X", kExtended, "", 1},
                                     {"Y", kUnread, "Extended MAC", 1},
                                     {"R", kUnread, "Reflexive IP", 2}}));
  // Of two lists of one name the one that is read is chosen.
  const NormalizeResult x = Normalize(paste, "X");
  EXPECT_EQ(x.ListLines, Lines({" 10 permit ip any any"}));
  EXPECT_EQ(x.Hits, Hits({1}));
}

TEST(NumberingOfRouterOutput, RemarksShareNumbersAndLargeNumbersAreNumbers) {
  EXPECT_EQ(Normalize({"10 remark a", "10 remark b", "10 permit ip any any",
                       "2147483647 deny ip any any"})
                .ListLines.size(),
            4u);
  // Two entries, or a remark after its entry, with one number are still a
  // fault; so is a number above what a router accepts.
  for (const Lines& faulty : {Lines{"10 permit ip any any", "10 remark a"},
                              Lines{"10 permit ip any any", "2147483648 deny ip any any"}}) {
    ScriptedAnswers yes({true});
    NormalizeACL(faulty, {}, {}, yes);
    EXPECT_EQ(yes.asked.size(), 1u) << faulty[1];
  }
}

// ", wildcard bits MASK" is no configuration: the list gets the mask as the
// mask type writes masks, so that commands made from it can be pasted and the
// entry still reads as what the router printed.
TEST(StandardEntriesOfShowOutput, WildcardBitsBecomeAConfigurationMask) {
  const Lines paste = {"Standard IP access list S",
                       "10 permit 10.0.10.0, wildcard bits 0.255.0.255 log (3 matches)",
                       "20 deny 10.1.0.0, wildcard bits 0.0.256.0",
                       "30 remark 10.2.0.0, wildcard bits 0.0.0.255 is the user's text"};
  const std::string shown = "permit 10.0.10.0, wildcard bits 0.255.0.255 log";
  for (const auto& [maskType, mask] : {std::pair{MaskForm::Wildcard, "0.255.0.255"},
                                       std::pair{MaskForm::Netmask, "255.0.255.0"}}) {
    ScriptedAnswers answers;
    const CheckOptions options{.MaskType = maskType};
    const NormalizeResult result = NormalizeACL(paste, {}, options, answers);
    // A mask that is no address is left for the recognizer to report.
    EXPECT_EQ(result.ListLines,
              Lines({" 10 permit 10.0.10.0 " + std::string(mask) + " log",
                     " 20 deny 10.1.0.0, wildcard bits 0.0.256.0", " " + paste[3]}));
    LineRecognizer recognizer;
    EXPECT_EQ(*recognizer.Recognize(ListEntryText(result.ListLines[0]), options),
              *recognizer.Recognize(shown, options))
        << mask;
  }
  // Configuration is taken as written.
  const Lines config = {"ip access-list standard S", " 10 permit 10.0.10.0 0.255.0.255"};
  EXPECT_EQ(Normalize(config).ListLines, Lines({config[1]}));
}

TEST(CountersOfShowOutput, EveryFormIsReadAndCutFromTheText) {
  const NormalizeResult result = Normalize({
      "Extended IP access list C",
      "10 permit tcp any any (25 matches)",
      "20 permit udp any any time-range t (active) (1 match)",
      "30 permit icmp any any [7 matches]",
      "40 permit gre any any (hitcnt=0)",
      "50 permit esp any any (99999999999999999999999 matches)",
      "60 remark (3 matches) stays text",
  });
  EXPECT_EQ(result.Hits, (Hits{25, 1, 7, 0, {}, {}}));
  EXPECT_EQ(result.ListLines[1], " 20 permit udp any any time-range t");
  EXPECT_EQ(result.ListLines[5], " 60 remark (3 matches) stays text");
}

}  // namespace
}  // namespace kerbwise

#include "analysis/analyse_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "analysis_fixture.h"

namespace kerbwise {
namespace {

using testing::Analyse;
using testing::Numbered;
using testing::ScriptedAnswers;
using Groups = GroupSet;

const std::string kHost80 = "permit tcp host 10.0.0.1 any eq 80";
const std::string kAnyTcp = "permit tcp any any";

TEST(AnalyseList, ConflictQuestionAndConflictsOnly) {
  const std::vector<std::string> list = {kAnyTcp, "deny tcp host 10.0.0.1 any eq 80",
                                         "permit udp any any", "permit udp host 1.1.1.1 any"};
  LineRecognizer recognizer;
  ScriptedAnswers answers({true});
  const AnalysisResult only = AnalyseList(Numbered(list), {}, recognizer, answers);
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0].Text, "There are conflicting rules. Show only them ?");
  ASSERT_EQ(only.Lines.size(), 2u);
  EXPECT_TRUE(only.Lines[0].Conflict && only.Lines[1].Conflict);
  EXPECT_TRUE(Contradicts(only.Lines[1], only.Lines[0]));
  // The udp group's head is not shown; its slot points nowhere.
  EXPECT_EQ(only.Groups[1].Head, std::nullopt);
  EXPECT_EQ(only.Groups[0].Head, 0u);
}

TEST(AnalyseList, CoverWithoutConflict) {
  // An exception before a broader rule of the other action; identical entries (one group,
  // headed by the later one).
  for (const char* first : {"deny tcp host 10.0.0.1 any eq 80", "deny tcp any any"}) {
    const AnalysisResult result = Analyse({first, kAnyTcp});
    ASSERT_EQ(result.Lines.size(), 2u) << first;
    EXPECT_FALSE(result.ConflictsFound) << first;
    EXPECT_EQ(result.Lines[0].Members, Groups{1}) << first;
    EXPECT_EQ(result.Lines[1].Group, 1u) << first;
    EXPECT_EQ(result.Groups[0].Head, 1u) << first;
  }
}

TEST(AnalyseList, PortSetsAsAWholeOrInPart) {
  const std::vector<std::string> overlapping = {"permit tcp any any range 70 90",
                                                "permit tcp any any range 80 100"};
  EXPECT_TRUE(Analyse(overlapping).Lines.empty());

  CheckOptions partial{.PortsInSet = false};
  const AnalysisResult italic = Analyse(overlapping, partial);
  ASSERT_EQ(italic.Lines.size(), 2u);
  EXPECT_EQ(italic.Lines[0].Members, Groups{1});
  EXPECT_EQ(italic.Lines[0].PartlyIn, Groups{1});

  // A single port strictly inside the range: without AnyPortOverlap (the command
  // line's test has it) the range covers the port, not the other way round.
  const std::vector<std::string> inside = {"permit tcp any any range 70 90",
                                           "permit tcp any any eq 80"};
  const AnalysisResult plain = Analyse(inside, partial);
  EXPECT_TRUE(plain.Lines[0].HeadsGroup());
  EXPECT_EQ(plain.Lines[1].Members, Groups{1});
  EXPECT_FALSE(plain.Lines[1].IncompletePorts);
}

TEST(AnalyseList, NestedGroupsSinkByLevel) {
  const AnalysisResult result =
      Analyse({kHost80, "permit tcp 10.0.0.0 0.0.0.255 any", "permit ip any any"});
  ASSERT_EQ(result.Lines.size(), 3u);
  EXPECT_EQ(result.Lines[0].Level, 2u);
  EXPECT_EQ(result.Lines[1].Group, 1u);
  EXPECT_EQ(result.Lines[1].Members, Groups{2});
  EXPECT_EQ(result.Lines[0].Members, (Groups{1, 2}));
}

TEST(AnalyseList, ErrorNamesTheRuleOfTheFailingTest) {
  CheckOptions options{.PartialAddresses = true};  // switched off for the run only
  const AnalysisResult result = Analyse({"permit foo bar", kAnyTcp}, options);
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->Rule, 1u);  // its entry and message: the analyze command's test
  EXPECT_TRUE(result.Lines.empty());
  EXPECT_EQ(result.LinesReached, 1u);

  // Line 3 is the rule of the pair (1, 3) that fails.
  const AnalysisResult second = Analyse({kAnyTcp, "permit udp any any", "deny bogus"});
  ASSERT_TRUE(second.Error);
  EXPECT_EQ(second.Error->Rule, 2u);
  EXPECT_EQ(second.Error->Subject, 0u);
}

TEST(AnalyseList, GroupsGrowPastEightBits) {
  std::vector<std::string> pairs;
  for (int k = 0; k < 300; ++k) {
    const std::string host = "host 10.0." + std::to_string(k / 200) + "." + std::to_string(k % 200);
    pairs.push_back("permit tcp " + host + " any eq 80");
    pairs.push_back("permit tcp " + host + " any");
  }
  const AnalysisResult many = Analyse(pairs);
  ASSERT_EQ(many.Groups.size(), 300u);
  EXPECT_EQ(many.Lines[598].Members, Groups{300});
  EXPECT_EQ(many.Lines[599].Group, 300u);
}

// Identical entries nest ever deeper, past eight bits of level.
TEST(AnalyseList, LevelsGrowPastEightBits) {
  const AnalysisResult deep = Analyse(std::vector<std::string>(300, kAnyTcp));
  ASSERT_EQ(deep.Lines.size(), 300u);
  EXPECT_GT(deep.Lines[0].Level, 255u);
}

// A random entry of every shape the index files differently: hosts, subnets,
// masks with holes, any on either side, ip against tcp/udp/icmp, ports, ICMP
// messages; now and then a remark or a repeat.
std::string RandomEntry(std::mt19937& random, const std::vector<std::string>& earlier) {
  static const char* const kAddresses[] = {"any",
                                           "host 10.1.2.3",
                                           "host 10.1.2.4",
                                           "10.1.2.0 0.0.0.255",
                                           "10.1.2.0/25",
                                           "10.1.0.0 0.0.255.255",
                                           "10.0.0.0 0.255.255.255",
                                           "10.1.0.3 0.0.255.0",
                                           "0.0.0.3 255.255.255.0",
                                           "11.0.0.0 0.255.255.255"};
  static const char* const kProtocols[] = {"ip", "tcp", "udp", "icmp", "esp"};
  static const char* const kPorts[] = {"", " eq 80", " range 70 90", " gt 1023", " neq 22"};
  const auto pick = [&random](const auto& from) {
    return std::string(from[random() % std::size(from)]);
  };
  const auto roll = random() % 100;
  if (roll < 3) return "remark keep";
  if (roll < 8 && !earlier.empty()) return earlier[random() % earlier.size()];
  const std::string protocol = pick(kProtocols);
  const bool ports = protocol == "tcp" || protocol == "udp";
  std::string entry = (random() % 2 ? "permit " : "deny ") + protocol + " " + pick(kAddresses) +
                      (ports ? pick(kPorts) : "") + " " + pick(kAddresses) +
                      (ports ? pick(kPorts) : "");
  if (protocol == "icmp" && random() % 2) entry += random() % 2 ? " echo" : " echo-reply";
  return entry;
}

// The analysis through the index of the lines' addresses reports exactly what
// comparing every pair reports, and in some lists an entry that fails its
// comparisons (an address outside its mask, a line not recognised) ends both
// at the same pair.
TEST(AnalyseList, IndexedAsEveryPair) {
  static const char* const kFailing[] = {"permit gre 10.1.2.9 0.0.0.255 any",
                                         "deny tcp any host 10.1.2.3 eq 99999"};
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    std::vector<std::string> entries;
    while (entries.size() < 150) entries.push_back(RandomEntry(random, entries));
    if (seed % 3 == 0) entries.insert(entries.begin() + random() % 150, kFailing[seed % 2]);
    const CheckOptions options{.PortsInSet = seed % 2 == 0, .AnyPortOverlap = seed % 5 == 0};
    AnalysisResult results[2];
    for (const bool indexed : {false, true}) {
      LineRecognizer recognizer;
      ScriptedAnswers answers({seed % 4 == 0});
      results[indexed] = AnalyseList(Numbered(entries), options, recognizer, answers, {},
                                     {.Threads = 1 + seed % 2, .Indexed = indexed});
    }
    ASSERT_EQ(results[1], results[0]) << "seed " << seed;
  }
}

// Sharing the pairs out over threads is checked by the analyse fuzz target.
TEST(AnalyseList, ProgressRisesToAHundred) {
  std::vector<int> seen;
  LineRecognizer recognizer;
  ScriptedAnswers answers({false});
  AnalyseList(Numbered(std::vector<std::string>(50, kAnyTcp)), {}, recognizer, answers,
              [&](int percent) { seen.push_back(percent); });
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

}  // namespace
}  // namespace kerbwise

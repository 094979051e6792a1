// Entries of real router output, recognised one by one after the entry number
// is dropped: what the rule language accepts and what it does not.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "rules/line_recognizer.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

// The entries of one list of a `show` paste, without their numbers.
std::vector<std::string> EntriesOfList(const std::string& path, const std::string& header) {
  std::ifstream file(path);
  std::vector<std::string> entries;
  bool inList = false;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != ' ') {
      inList = line == header;
      continue;
    }
    if (!inList) continue;
    std::istringstream words(line);
    std::string number;
    words >> number;
    std::string rest;
    std::getline(words, rest);
    entries.push_back(std::string(TrimControls(SpaceCompress(rest))));
  }
  return entries;
}

class RealWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string(KERBWISE_REALWORLD_DIR) + "/show-access-lists-mixed.txt";
    if (!std::ifstream(path_)) GTEST_SKIP() << "no real-world samples at " << path_;
  }

  std::map<int, std::vector<std::string>> ByStatus(const std::vector<std::string>& entries) {
    std::map<int, std::vector<std::string>> result;
    for (const std::string& entry : entries) {
      result[recognizer_.ExprCheck(entry, options_)->Status].push_back(entry);
    }
    return result;
  }

  std::string path_;
  LineRecognizer recognizer_;
  CheckOptions options_;
};

TEST_F(RealWorldTest, SampleListIsRecognisedButForAnUnknownProtocolAndTimeRangeStates) {
  const auto entries = EntriesOfList(path_, "Extended IP access list sample");
  ASSERT_EQ(entries.size(), 66u);
  const auto byStatus = ByStatus(entries);
  // pim is no protocol of the template, and a time-range state such as
  // "(active)" is no part of an entry.
  EXPECT_EQ(byStatus.at(StatusUnrecognised),
            (std::vector<std::string>{
                "permit tcp 10.10.37.24 0.0.0.7 10.3.140.64 0.0.0.31 eq 9815 log time-range test "
                "(active)",
                "permit pim host 10.10.37.18 host 224.0.0.1 time-range test2 (inactive)"}));
  EXPECT_EQ(byStatus.at(StatusPermit).size(), 64u);
}

TEST_F(RealWorldTest, PortNamesOfTheRightProtocolBecomeNumbers) {
  const auto entries = EntriesOfList(path_, "Extended IP access list 101");
  ASSERT_EQ(entries.size(), 8u);
  const ExprPtr snmp = recognizer_.ExprCheck(entries[6], options_);
  ASSERT_EQ(snmp->Status, StatusPermit);
  EXPECT_EQ(snmp->Values.Get(SideSource, SlotPort), "eq 161 68");
  EXPECT_EQ(ValToIP(snmp->DstMask), "255.255.255.0");
  // "http" is no port name of the tables, and ahp no protocol.
  EXPECT_EQ(recognizer_.ExprCheck(entries[7], options_)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer_.ExprCheck(entries[2], options_)->Status, StatusUnrecognised);
}

}  // namespace
}  // namespace kerbwise

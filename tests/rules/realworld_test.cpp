// Entries of real router output, recognised one by one after the entry number
// is dropped: what the rule language accepts and what it does not.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

TEST(RealWorld, ShowOutputIsRecognisedButForUnknownNamesAndTimeRangeStates) {
  const std::string path = std::string(KERBWISE_REALWORLD_DIR) + "/show-access-lists-mixed.txt";
  std::ifstream file(path);
  if (!file) GTEST_SKIP() << "no real-world samples at " << path;
  // The entries of each list, under its heading, read as every consumer reads a list line.
  std::map<std::string, std::vector<std::string>> lists;
  std::string heading;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != ' ') {
      heading = line;
    } else {
      lists[heading].push_back(ListEntryText(line));
    }
  }
  LineRecognizer recognizer;
  const CheckOptions options;
  const std::vector<std::string>& sample = lists["Extended IP access list sample"];
  ASSERT_EQ(sample.size(), 66u);
  std::vector<std::string> unrecognised;
  for (const std::string& entry : sample) {
    const std::uint8_t status = recognizer.Recognize(entry, options)->Status;
    if (status != StatusPermit) unrecognised.push_back(std::to_string(status) + " " + entry);
  }
  // Every other entry is a permit; these two are not recognised (status 1): pim is no
  // protocol of the template, and a time-range state such as "(active)" is no part of an entry.
  EXPECT_EQ(unrecognised,
            (std::vector<std::string>{
                "1 permit tcp 10.10.37.24 0.0.0.7 10.3.140.64 0.0.0.31 eq 9815 log time-range test "
                "(active)",
                "1 permit pim host 10.10.37.18 host 224.0.0.1 time-range test2 (inactive)"}));

  // Port names of the right protocol become numbers; "http" is no port name
  // of the tables, and ahp no protocol.
  const std::vector<std::string>& list101 = lists["Extended IP access list 101"];
  ASSERT_EQ(list101.size(), 8u);
  const RecordPtr snmp = recognizer.Recognize(list101[6], options);
  ASSERT_EQ(snmp->Status, StatusPermit);
  EXPECT_EQ(snmp->Values.Get(SideSource, SlotPort), "eq 161 68");
  EXPECT_EQ(ValToIP(snmp->DstMask), "255.255.255.0");
  EXPECT_EQ(recognizer.Recognize(list101[7], options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.Recognize(list101[2], options)->Status, StatusUnrecognised);
}

}  // namespace
}  // namespace kerbwise

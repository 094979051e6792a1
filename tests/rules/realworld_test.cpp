// Entries of real router output, recognised one by one after the entry number
// is dropped: every entry of the extended and standard lists is read.
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

TEST(RealWorld, EveryEntryOfTheMixedShowOutputIsRecognised) {
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
  EXPECT_EQ(lists["Extended IP access list sample"].size(), 66u);
  EXPECT_EQ(lists["Extended IP access list 101"].size(), 8u);
  EXPECT_EQ(lists["Standard IP access list 99"].size(), 3u);
  LineRecognizer recognizer;
  const CheckOptions options;
  std::vector<std::string> unrecognised;
  for (const auto& [name, entries] : lists) {
    for (const std::string& entry : entries) {
      const std::uint8_t status = recognizer.Recognize(entry, options)->Status;
      if (status != StatusPermit && status != StatusDeny) unrecognised.push_back(entry);
    }
  }
  EXPECT_EQ(unrecognised, std::vector<std::string>{});

  // Port names of either protocol become numbers, several after eq and neq.
  const std::vector<std::string>& list101 = lists["Extended IP access list 101"];
  const RecordPtr snmp = recognizer.Recognize(list101[6], options);
  EXPECT_EQ(snmp->Values.Get(SideSource, SlotPort), "eq 161 68");
  EXPECT_EQ(ValToIP(snmp->DstMask), "255.255.255.0");
  const RecordPtr several = recognizer.Recognize(list101[7], options);
  EXPECT_EQ(several->Values.Get(SideSource, SlotPort), "eq 23 22 80 8080");
  EXPECT_EQ(several->Values.Get(SideDestination, SlotPort), "neq 23 22");
}

}  // namespace
}  // namespace kerbwise

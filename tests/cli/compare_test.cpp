// kerbwise-cli compare, run in-process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using nlohmann::json;

using Outcome = kerbwise::testing::CliOutcome;

Outcome Compare(std::vector<std::string> args) {
  args.insert(args.begin(), "compare");
  return kerbwise::testing::RunCommand(std::move(args));
}

TEST(CompareJson, GivesTheWholeResult) {
  const Outcome outcome =
      Compare({"--json", "permit tcp any any eq 80", "permit  tcp any any range 70 90 ",
               "--partial-ports", "--any-overlap"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(json::parse(outcome.out), json::parse(R"({"outcome": 0, "addr_partial": false,
      "ports_incomplete": true, "message": "Match. Incomplete set of ports"})"));
  // Without --any-overlap the rule's port lies strictly inside the subject's range.
  EXPECT_EQ(json::parse(Compare({"--json", "--partial-ports", "permit tcp any any eq 80",
                                 "permit tcp any any range 70 90"})
                            .out)["outcome"],
            3);
}

TEST(CompareText, OneLineWithFlagsAndMessage) {
  EXPECT_EQ(Compare({"deny ip any any", "permit tcp any any"}).out, "1 deny | Match\n");
  EXPECT_EQ(Compare({"permit tcp any any", "permit ip any any"}).out, "3 no-match\n");
  EXPECT_EQ(Compare({"--partial-addresses", "--lang", "ru", "permit ip 10.1.0.0 0.0.255.255 any",
                     "permit ip 10.0.0.0 0.255.255.255 any"})
                .out,
            "0 permit addr-partial | Совпадение. Src 65536 хостов с 10.1.0.0 по 10.1.255.255. Dst "
            "полностью\n");
  EXPECT_EQ(
      Compare({"--ignore-icmp", "--partial-addresses", "permit ip any any", "permit icmp any any"})
          .out,
      "3 no-match\n");
}

TEST(CompareText, MessagesOfSeveralLinesAreIndented) {
  EXPECT_EQ(Compare({"--netmask", "permit ip 10.1.1.1 255.255.255.0 any", "permit ip any any"}).out,
            "4 error | Wrong combination of src address and mask in the ACL\n"
            "  It should be fixed this address to 10.1.1.0 or mask to 255.255.255.1\n");
  EXPECT_EQ(Compare({"--reverse-mode", "remark x", "permit ip any any"}).out,
            "2 remark | remark in condition\n");
}

TEST(CompareUsage, BothLinesAreRequired) {
  const Outcome outcome = Compare({"permit ip any any"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("SUBJECT"), std::string::npos) << outcome.err;
}

}  // namespace

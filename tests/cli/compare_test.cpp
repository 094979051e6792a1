// kerbwise-cli compare, run in-process.
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
  EXPECT_EQ(kerbwise::testing::RunJson({"compare", "--json", "--partial-ports",
                                        "permit tcp any any eq 80",
                                        "permit tcp any any range 70 90"})["outcome"],
            3);
}

// One line with the outcome, its flags and the message; the message's further
// lines are indented.
TEST(CompareText, OneLineWithFlagsAndMessage) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"deny ip any any", "permit tcp any any"}, "1 deny | Match\n"},
      {{"permit tcp any any", "permit ip any any"}, "3 no-match\n"},
      {{"--partial-addresses", "--lang", "ru", "permit ip 10.1.0.0 0.0.255.255 any",
        "permit ip 10.0.0.0 0.255.255.255 any"},
       "0 permit addr-partial | Совпадение. Src 65536 хостов с 10.1.0.0 по 10.1.255.255. Dst "
       "полностью\n"},
      {{"--ignore-icmp", "--partial-addresses", "permit ip any any", "permit icmp any any"},
       "3 no-match\n"},
      {{"--netmask", "permit ip 10.1.1.1 255.255.255.0 any", "permit ip any any"},
       "4 error | Wrong combination of src address and mask in the ACL\n"
       "  It should be fixed this address to 10.1.1.0 or mask to 255.255.255.1\n"},
      {{"--reverse-mode", "remark x", "permit ip any any"}, "2 remark | remark in condition\n"},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(Compare(args).out, expected) << args[0];
}

TEST(CompareUsage, BothLinesAreRequired) {
  const Outcome outcome = Compare({"permit ip any any"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("SUBJECT"), std::string::npos) << outcome.err;
}

}  // namespace

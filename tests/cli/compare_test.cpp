// kerbwise-cli compare, run in-process.
#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

CliOutcome Compare(std::vector<std::string> args) {
  args.insert(args.begin(), "compare");
  return RunCommand(std::move(args));
}

TEST(CompareJson, GivesTheWholeResult) {
  const CliOutcome outcome =
      Compare({"--json", "permit tcp any any eq 80", "permit  tcp any any range 70 90 ",
               "--partial-ports", "--any-overlap"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(json::parse(outcome.out), json::parse(R"({"outcome": 0, "addr_partial": false,
      "ports_incomplete": true, "message": "Match. Incomplete set of ports"})"));
}

// One line with the outcome, its flags and the message; the message's further
// lines are indented. A line that cannot be compared is an error of input:
// status 2, with the outcome still written. One case per outcome, each with
// an option of its own.
TEST(CompareText, OneLineWithFlagsAndMessage) {
  const std::vector<std::tuple<std::vector<std::string>, std::string, int>> cases{
      {{"deny ip any any", "permit tcp any any"}, "1 deny | Match\n", 0},
      {{"--partial-addresses", "--lang", "ru", "permit ip 10.1.0.0 0.0.255.255 any",
        "permit ip 10.0.0.0 0.255.255.255 any"},
       "0 permit addr-partial | Совпадение. Src 65536 хостов с 10.1.0.0 по 10.1.255.255. Dst "
       "полностью\n",
       0},
      {{"--ignore-icmp", "--partial-addresses", "permit ip any any", "permit icmp any any"},
       "3 no-match\n",
       0},
      {{"--reverse-mode", "remark x", "permit ip any any"}, "2 remark | remark in condition\n", 0},
      {{"--netmask", "permit ip 10.1.1.1 255.255.255.0 any", "permit ip any any"},
       "4 error | Wrong combination of src address and mask in the ACL\n"
       "  It should be fixed this address to 10.1.1.0 or mask to 255.255.255.1\n",
       2},
  };
  for (const auto& [args, out, status] : cases) {
    const CliOutcome outcome = Compare(args);
    EXPECT_EQ(outcome.out, out) << args[0];
    EXPECT_EQ(outcome.status, status) << args[0] << " " << outcome.out;
  }
  ExpectRefused(Compare({"permit ip any any"}), "SUBJECT");  // both lines are required
}

}  // namespace

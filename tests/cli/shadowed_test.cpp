// kerbwise-cli shadowed and redundant: the reports, the JSON documents and the
// exit statuses.
#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

const std::string kUnion =
    "permit tcp 10.0.0.0 0.0.0.127 any\npermit tcp 10.0.0.128 0.0.0.127 any\n"
    "deny tcp 10.0.0.0 0.0.0.255 any eq 80\npermit udp any any\ndeny ip any any\n";

TEST(ShadowedCommand, TextJsonAndStatus) {
  ExpectRun(RunCommand({"shadowed"}, kUnion), 1,
            "3: 30 deny tcp 10.0.0.0 0.0.0.255 any eq 80\n"
            "  shadowed, in conflict (the entries before it decide otherwise), by:\n"
            "    1: 10 permit tcp 10.0.0.0 0.0.0.127 any\n"
            "    2: 20 permit tcp 10.0.0.128 0.0.0.127 any\n"
            "5 entries: 1 shadowed (1 in conflict), 0 matching no packet\n");

  const CliOutcome reached = RunCommand({"shadowed", "--json"}, "remark x\npermit ip any any\n");
  EXPECT_EQ(reached.status, 0) << reached.err;
  EXPECT_EQ(json::parse(reached.out), json::parse(R"({"rows": [
    {"entry": 2, "sequence": 20, "text": "20 permit ip any any", "action": "permit",
     "state": "reachable", "covered_by": [], "conflict": false}]})"));
  EXPECT_EQ(RunJson({"shadowed", "--json"}, kUnion)["rows"][2]["covered_by"],
            json::parse(R"([{"entry": 1, "text": "10 permit tcp 10.0.0.0 0.0.0.127 any"},
                            {"entry": 2, "text": "20 permit tcp 10.0.0.128 0.0.0.127 any"}])"));
  EXPECT_EQ(RunCommand({"shadowed"}, "permit ip any any\n").out,
            "Every entry is reached by some packet\n");
  ExpectRefused(RunCommand({"shadowed"}, "permit ip any any\nallow everything\n"),
                "Line: 20 allow everything: ");
  // A message in two lines stays two lines.
  ExpectRefused(RunCommand({"redundant"}, "permit tcp 10.1.1.1 0.0.0.255 any\n"),
                "mask in the ACL\n  It should be fixed this address to 10.1.1.0");
}

TEST(RedundantCommand, EntriesCommandsAndStatus) {
  ExpectRun(RunCommand({"redundant"}, kUnion), 1,
            "Entries that can go together, the list doing the same without them:\n"
            "3: 30 deny tcp 10.0.0.0 0.0.0.255 any eq 80\n"
            "\n"
            "no deny tcp 10.0.0.0 0.0.0.255 any eq 80\n");
  EXPECT_EQ(RunCommand({"redundant", "--commands-only"}, kUnion).out,
            "no deny tcp 10.0.0.0 0.0.0.255 any eq 80\n");
  EXPECT_EQ(RunJson({"redundant", "--json"}, kUnion), json::parse(R"({
    "removable": [{"entry": 3, "sequence": 30, "text": "30 deny tcp 10.0.0.0 0.0.0.255 any eq 80",
                   "action": "deny"}],
    "commands": ["no deny tcp 10.0.0.0 0.0.0.255 any eq 80"],
    "object_group_entries_left": false})"));
  ExpectRun(RunCommand({"redundant"}, "permit ip any any\n"), 0,
            "No entry can go without changing what the list does\n");
}

}  // namespace

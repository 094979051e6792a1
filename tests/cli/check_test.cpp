#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

const std::string kList =
    "ip access-list extended WEB\npermit tcp any any eq 80\ndeny ip any any\n";

TEST(CheckCommand, JsonGivesEveryResultOfEachCondition) {
  const CliOutcome outcome =
      RunCommand({"check", "--json", "tcp any any eq 80", "udp any any"}, kList);
  EXPECT_EQ(outcome.status, 1) << outcome.err;  // the second condition is blocked
  const json results = json::parse(outcome.out)["results"];
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], json::parse(R"({
    "condition": "permit tcp any any eq 80",
    "number_pane": ["1+ Match", "2- Match"], "markers": ["+1", "-2"],
    "result": ["Allowed at line 1: 10 permit tcp any any eq 80", "There are other matches"],
    "colour": "light-green", "verdict": "+", "first_match": 1, "error": false,
    "outcome": "allowed", "direction": "direct", "stopped_at": null,
    "matches": [
      {"index": 1, "sequence": 10, "kind": "full", "action": "permit",
       "entry": "permit tcp any any eq 80", "message": "Match"},
      {"index": 2, "sequence": 20, "kind": "full", "action": "deny",
       "entry": "deny ip any any", "message": "Match"}]})"));
  EXPECT_EQ(results[1]["verdict"], "-");
}

TEST(CheckCommand, TextAndExitStatus) {
  const std::string conditions = WriteTempFile("conditions.txt", "\ntcp any any eq 80\n  \n");
  ExpectRun(RunCommand({"check", "--conditions", conditions}, kList), 0,
            "Condition:      tcp any any eq 80\n"
            "Verdict:        Allowed at line 1: 10 permit tcp any any eq 80\n"
            "                There are other matches\n"
            "Decided by:     line 1, entry 10: permit tcp any any eq 80\n"
            "Other matches:  line 2, entry 20, full: deny ip any any\n");

  ExpectRun(RunCommand({"check", "--reverse", "no such thing"}, kList), 2,
            "Reverse check:  no such thing\n"
            "Verdict:        Line: 10 permit tcp any any eq 80: The condition is not recognized\n"
            "Stopped at:     line 1, entry 10: permit tcp any any eq 80\n"
            "                  The condition is not recognized\n");
  const json result = RunJson({"check", "--json", "no such thing"}, kList)["results"][0];
  EXPECT_EQ(result["error"], true);
  EXPECT_EQ(result["verdict"], nullptr);
  EXPECT_EQ(result["colour"], "tooltip");
  EXPECT_EQ(result["outcome"], "error");
  EXPECT_EQ(result["stopped_at"], json::parse(R"({"index": 1, "sequence": 10,
    "entry": "permit tcp any any eq 80", "message": "The condition is not recognized"})"));

  EXPECT_NE(RunCommand({"check", "--help"}).out.find("Exit status:\n  0  every condition"),
            std::string::npos);
  ExpectRefused(RunCommand({"check"}, kList), "no condition");
  // An unanswered numbering question stops the run before any check.
  ExpectRefused(RunCommand({"check", "ip any any"}, "10 permit ip any any\ndeny ip any any\n"),
                "--renumber");
}

TEST(CheckCommand, PartialOptionsReachTheCheck) {  // --reverse: in TextAndExitStatus
  // Without a deciding entry the partial match is one of the matches, its message under it.
  EXPECT_EQ(RunCommand({"check", "--partial-ports", "tcp any any range 70 90"},
                       "permit tcp any any eq 80\n")
                .out,
            "Condition:      tcp any any range 70 90\n"
            "Verdict:        Blocked\n"
            "                Partial matches were also found\n"
            "Matches:        line 1, entry 10, ports in part: permit tcp any any eq 80\n"
            "                  Match. Incomplete set of ports\n");
}

}  // namespace

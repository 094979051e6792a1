#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

TEST(AnalyzeCommand, JsonAsDocumented) {
  const CliOutcome outcome =
      RunCommand({"analyze", "--json"}, "permit tcp host 10.0.0.1 any eq 80\npermit tcp any any\n");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");  // no progress bar off a terminal
  EXPECT_EQ(json::parse(outcome.out), json::parse(R"({
    "number_pane": ["1", "2"], "result": [], "conflicts_found": false, "conflicts_only": false,
    "message": "",
    "report": [{"text": " 1: 10 permit tcp host 10.0.0.1 any eq 80", "level": 1, "bold": false,
                "italic": false, "conflict": false, "group": 0, "members": [1]},
               {"text": "2: 20 permit tcp any any", "level": 0, "bold": true, "italic": false,
                "conflict": false, "group": 1, "members": [0]}],
    "no_commands": []})"));
}

// The JSON is written piece by piece: byte for byte what one dump of the
// whole document writes, whatever the report holds, bad UTF-8 included.
TEST(AnalyzeCommand, JsonWrittenAsItGoesIsOneIndentedDocument) {
  const std::string nested =
      "permit tcp host 10.0.0.1 any eq 80\npermit tcp 10.0.0.0 0.0.0.255 any\n"
      "deny ip any any\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
      {{"analyze", "--json"}, nested},
      {{"analyze", "--json", "--no-commands", "1"}, nested + nested},
      {{"analyze", "--json", "--conflicts-only"}, "permit tcp any any\ndeny tcp any any eq 22\n"},
      {{"analyze", "--json"},
       "Extended IP access list T\n 10 permit tcp any any (4 matches)\n"
       " 20 permit tcp any any eq 80 (0 matches)\n"},
      {{"analyze", "--json"}, "permit tcp any any\npermit udp any any\n"},  // nothing relates
      {{"analyze", "--json"}, "permit foo\npermit tcp any any\n"},          // an error
      {{"analyze", "--json"}, "permit tcp any any time-range \xff\npermit ip any any\n"}};
  for (const auto& [args, list] : runs) {
    const CliOutcome outcome = RunCommand(args, list);
    EXPECT_EQ(nlohmann::ordered_json::parse(outcome.out).dump(2) + "\n", outcome.out) << list;
  }
  EXPECT_EQ(RunCommand(runs.back().first, runs.back().second).err,
            "kerbwise-cli: note: the input is not valid UTF-8; the bad bytes are written "
            "as U+FFFD\n");
}

// The show output's counters: "hits" on every reported line, marks on the
// lines the counters put in doubt.
TEST(AnalyzeCommand, HitCountsMarkTheReport) {
  const std::string list =
      "Extended IP access list T\n    10 permit tcp any any (40 matches)\n"
      "    20 permit tcp host 10.0.0.1 any eq 80 (3 matches)\n    30 permit tcp any host "
      "10.0.0.2\n";
  EXPECT_EQ(RunCommand({"analyze"}, list).out,
            "Group 1, headed by line 1: 10 permit tcp any any\n"
            "  member line 2: 20 permit tcp host 10.0.0.1 any eq 80 [3 hits, though an earlier "
            "entry covers it]\n"
            "  member line 3: 30 permit tcp any host 10.0.0.2\n"
            "Lines reported: 3 of 3; groups shown: 1; lines in conflict: 0.\n");
  const json report = RunJson({"analyze", "--json"}, list)["report"];
  EXPECT_EQ(report[0]["hits"], 40);
  EXPECT_EQ(report[1]["hit_mark"], "covered_yet_hit");
  EXPECT_TRUE(report[2]["hits"].is_null());
  EXPECT_FALSE(
      RunJson({"analyze", "--json"}, "permit ip any any\npermit tcp any any\n")["report"][0]
          .contains("hits"));
}

// The text report: each group with its head and members, their marks, a summary; the
// options reach the analysis.
TEST(AnalyzeCommand, TextReportOfGroupsAndConflicts) {
  const std::string conflict =
      "permit tcp any any\ndeny tcp host 10.0.0.1 any eq 80\npermit udp host 1.1.1.1 any\n"
      "permit udp any any\n";
  EXPECT_EQ(RunCommand({"analyze"}, conflict).out,
            "Group 1, headed by line 1: 10 permit tcp any any\n"
            "  member line 2: 20 deny tcp host 10.0.0.1 any eq 80 (conflict: never takes effect)\n"
            "Group 2, headed by line 4: 40 permit udp any any\n"
            "  member line 3: 30 permit udp host 1.1.1.1 any\n"
            "Lines reported: 4 of 4; groups shown: 2; lines in conflict: 2.\n");
  // Conflicts only: line 1 is an exception, so it is not shown; nor is the head of group 4,
  // nor group 2, whose only member is line 1.
  EXPECT_EQ(RunCommand({"analyze", "--conflicts-only"},
                       "deny tcp host 10.0.0.1 any eq 80\npermit tcp 10.0.0.0 0.0.0.255 any\n"
                       "deny tcp host 10.0.0.1 any\npermit udp any any\n"
                       "deny udp host 10.0.0.1 any\npermit udp 10.0.0.0 0.0.0.255 any\n")
                .out,
            "Group 1, headed by line 2: 20 permit tcp 10.0.0.0 0.0.0.255 any\n"
            "  member line 3: 30 deny tcp host 10.0.0.1 any (conflict: never takes effect)\n"
            "Group 3, headed by line 4: 40 permit udp any any\n"
            "  member line 5: 50 deny udp host 10.0.0.1 any (conflict: never takes effect)\n"
            "Group 4, its head not shown (not in conflict)\n"
            "  member line 5: 50 deny udp host 10.0.0.1 any\n"
            "Only the lines in conflict are shown.\n"
            "Lines reported: 4 of 6; groups shown: 3; lines in conflict: 4.\n");

  // --paranoic counts only with --no-ports-in-set: the range then covers port 80 in part.
  EXPECT_EQ(RunCommand({"analyze", "--no-ports-in-set", "--paranoic"},
                       "permit tcp any any range 70 90\npermit tcp any any eq 80\n")
                .out,
            "Group 1, headed by line 2: 20 permit tcp any any eq 80\n"
            "  member line 1: 10 permit tcp any any range 70 90 (ports covered in part)\n"
            "Lines reported: 2 of 2; groups shown: 1; lines in conflict: 0.\n");

  // A pair that cannot be compared: the result line and status 2.
  ExpectRun(RunCommand({"analyze"}, "permit foo\npermit tcp any any\n"), 2,
            "Line: 20 permit tcp any any: The condition is not recognized\n");
}

TEST(AnalyzeCommand, NoCommandsForTheWholeReport) {
  const std::string list =
      "ip access-list extended X\n10 permit tcp host 10.0.0.1 any eq 80\n20 permit tcp any any\n"
      "30 permit udp host 10.0.0.5 any\n40 permit udp object-group U any\n";
  const std::string objects = WriteTempFile(
      "analyze_objects.txt", "object-group network U\n host 10.0.0.5\n 10.0.0.0 255.255.255.0\n");
  const CliOutcome all = RunCommand({"analyze", "--objects", objects, "--no-commands", "0"}, list);
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out,
            "no permit tcp host 10.0.0.1 any eq 80\nno permit tcp any any\n"
            "no permit udp host 10.0.0.5 any\n");
  EXPECT_EQ(all.err, "kerbwise-cli: Rules whose numbers begin with \"0\" will not be copied.\n");
  EXPECT_EQ(RunCommand({"analyze", "--objects", objects, "--no-commands", "1"}, list).out,
            "no permit tcp host 10.0.0.1 any eq 80\nno permit udp host 10.0.0.5 any\n");
  ExpectRefused(RunCommand({"analyze", "--no-commands", "3"}, list), "--no-commands");
}

}  // namespace

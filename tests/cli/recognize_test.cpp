#include <algorithm>
#include <cstdio>

#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;
using namespace std::string_literals;

// Recognises `lines` (or standard input) and gives the array of records.
json Records(std::vector<std::string> lines, const std::string& input = "") {
  lines.insert(lines.begin(), {"--json", "recognize"});
  return RunJson(std::move(lines), input);
}

TEST(RecognizeJson, WorkedExampleGivesTheWholeRecord) {
  EXPECT_EQ(Records({"deny tcp host 10.1.0.1 any eq www log established"}), json::parse(R"([{
    "line": "deny tcp host 10.1.0.1 any eq www log established", "status": 3,
    "src_addr": "10.1.0.1", "src_mask": "255.255.255.255",
    "dst_addr": "0.0.0.0", "dst_mask": "0.0.0.0",
    "values": {"0.0": "6", "0.2": "established", "0.6": "log", "2.1": "eq 80"},
    "template_error": "", "parameter_error": ""}])"));
}

TEST(RecognizeOptions, GlobalsStandEitherSideOfTheCommand) {
  const std::string line = "permit ip 10.0.0.0 255.0.0.0 any";
  const std::string reference =
      RunCommand({"recognize", "--json", "--netmask", line, "--lang", "ru"}).out;
  EXPECT_EQ(json::parse(reference)[0]["src_mask"], "255.0.0.0");
  EXPECT_EQ(RunCommand({"--json", "--netmask", "--lang", "ru", "recognize", line}).out, reference);
  EXPECT_EQ(
      RunCommand({"--json", "--json", "--netmask", "recognize", "--json", line, "--lang=ru"}).out,
      reference);
  EXPECT_EQ(RunCommand({"--lang", "ru", "recognize", "x"}).out,
            "line         x\nstatus       1 не опознано\n");
  EXPECT_EQ(RunCommand({"--lang", "ru", "recognize", "--lang", "en", "x"}).out,
            "line         x\nstatus       1 not recognized\n");
}

TEST(RecognizeLines, FromStandardInputWithBlanksCollapsed) {
  const json piped = Records({}, "   deny   ip any any\r\n\r\n deny ip any any\nremark a\r");
  ASSERT_EQ(piped.size(), 4u);
  EXPECT_EQ(piped[0]["line"], "deny ip any any");
  EXPECT_EQ(piped[1]["line"], "");
  EXPECT_EQ(piped[1]["status"], 0);
  EXPECT_EQ(piped[2], piped[0]);            // the same line comes back the same
  EXPECT_EQ(piped[3]["line"], "remark a");  // a lone CR ends a line too
  EXPECT_EQ(Records({}, ""), json::array());
}

// A block per item; control bytes and backslashes are escaped so that every
// value keeps to its row; other bytes, valid UTF-8 or not, are written as
// they came.
TEST(RecognizeText, OneBlockPerItem) {
  EXPECT_EQ(RunCommand({"recognize", "deny tcp host 10.1.0.1 any eq 80", "x", ""}).out,
            "line         deny tcp host 10.1.0.1 any eq 80\n"
            "status       3 deny\n"
            "source       10.1.0.1 255.255.255.255\n"
            "destination  0.0.0.0 0.0.0.0\n"
            "values       0.0=6 2.1=eq 80\n"
            "\n"
            "line         x\n"
            "status       1 not recognized\n"
            "\n"
            "line\n"
            "status       0 template error\n");
  ExpectRun(RunCommand({"recognize", "permit\nip\\any\0\xff\x80"s}), 0,
            "line         permit\\x0Aip\\\\any\\x00\xff\x80\nstatus       1 not recognized\n");
}

TEST(RecognizeTemplate, LinesComeFromTheFile) {
  const std::string bad = WriteTempFile("cli_bad_template.txt", "[permit,deny]]\r\n");
  EXPECT_EQ(RunCommand({"recognize", "--template", bad, "permit ip any any"}).out,
            "line         permit ip any any\nstatus       0 template error\ntemplate error  At the "
            "1 line of the template, an extra closing bracket at position 14\n");
}

TEST(RecognizeErrors, OneLineOnStandardErrorAndStatusTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"recognize", "--bogus", "x"}, "--bogus"},
      {{"frobnicate"}, "frobnicate"},
      {{"recognize", "--template"}, "--template"},
      {{"recognize", "--template", TempPath("no_such.txt"), "x"}, "no_such.txt"},
      {{"recognize", "--lang", "de", "x"}, "--lang"}};
  for (const auto& [args, mention] : cases) {
    const CliOutcome outcome = RunCommand(args);
    ExpectRefused(outcome, mention);
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_TRUE(outcome.err.starts_with("kerbwise-cli: error: ")) << outcome.err;
  }
  const CliOutcome help = RunCommand({"recognize", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--template FILE"), std::string::npos);
  ExpectRefused(RunCommand({"--json"}), "recognize");  // no command: the help, on standard error
}

TEST(RecognizeEndToEnd, BuiltProgramWritesJson) {
  FILE* pipe = popen("'" KERBWISE_CLI_PATH "' recognize --json 'permit ip any any'", "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0);
  const json records = json::parse(out);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]["status"], 2);
}

}  // namespace

#include <algorithm>
#include <cstdio>

#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;
using Outcome = CliOutcome;

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
  const Outcome reference = RunCommand({"recognize", "--json", "--netmask", line, "--lang", "ru"});
  EXPECT_EQ(json::parse(reference.out)[0]["src_mask"], "255.0.0.0");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--json", "--netmask", "--lang", "ru", "recognize", line},
        std::vector<std::string>{"--json", "--json", "--netmask", "recognize", "--json", line,
                                 "--lang=ru"}}) {
    EXPECT_EQ(RunCommand(args).out, reference.out) << args[0] << " " << args[1];
  }
  EXPECT_EQ(RunCommand({"--lang", "ru", "recognize", "x"}).out, "1 не опознано | x\n");
  EXPECT_EQ(RunCommand({"--lang", "ru", "recognize", "--lang", "en", "x"}).out,
            "1 not recognized | x\n");
}

TEST(RecognizeLines, FromArgumentsOrStandardInputWithBlanksCollapsed) {
  const json records = Records({"   permit   ip  any    any", "", "x  y"});
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0]["line"], "permit ip any any");
  EXPECT_EQ(records[0]["status"], 2);
  EXPECT_EQ(records[1]["line"], "");
  EXPECT_EQ(records[2]["line"], "x y");

  const json piped = Records({}, "deny ip any any\r\n\r\n deny ip any any\nremark a\r");
  ASSERT_EQ(piped.size(), 4u);
  EXPECT_EQ(piped[0]["line"], "deny ip any any");
  EXPECT_EQ(piped[1]["status"], 0);
  EXPECT_EQ(piped[2], piped[0]);              // a repeated line comes back the same
  EXPECT_EQ(piped[3]["line"], "remark a");  // a lone CR ends a line too
  EXPECT_EQ(Records({}, ""), json::array());
}

TEST(RecognizeText, OneLinePerItem) {
  EXPECT_EQ(
      RunCommand({"recognize", "deny tcp host 10.1.0.1 any eq 80", "permit ip any any", "x", ""})
          .out,
      "3 deny | src 10.1.0.1 255.255.255.255 | dst 0.0.0.0 0.0.0.0 | 0.0=6 2.1=eq 80"
      " | deny tcp host 10.1.0.1 any eq 80\n"
      "2 permit | src 0.0.0.0 0.0.0.0 | dst 0.0.0.0 0.0.0.0 | 0.0=ip | permit ip any any\n"
      "1 not recognized | x\n"
      "0 template error |\n");
  EXPECT_EQ(RunCommand({"recognize", "permit\nip\\any"}).out,
            "1 not recognized | permit\\x0Aip\\\\any\n");
}

TEST(RecognizeTemplate, LinesComeFromTheFile) {
  const std::string bad = WriteTempFile("cli_bad_template.txt", "[permit,deny]]\r\n");
  const std::string message =
      "At the 1 line of the template, an extra closing bracket at position 14";
  const json records = Records({"--template", bad, "permit ip any any"});
  EXPECT_EQ(records[0]["status"], 0);
  EXPECT_EQ(records[0]["template_error"], message);
  EXPECT_EQ(RunCommand({"recognize", "--template", bad, "permit ip any any"}).out,
            "0 template error | permit ip any any\n  template error: " + message + "\n");

  const std::string remarkOnly = WriteTempFile("cli_remark_template.txt", "\r\nremark\r\n");
  const json custom = Records({"--template", remarkOnly, "remark a", "permit ip any any"});
  EXPECT_EQ(custom[0]["status"], 4);
  EXPECT_EQ(custom[1]["status"], 1);
}

TEST(RecognizeErrors, OneLineOnStandardErrorAndStatusTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"recognize", "--bogus", "x"}, "--bogus"},
      {{"frobnicate"}, "frobnicate"},
      {{"recognize", "--template"}, "--template"},
      {{"recognize", "--template", testing::TempDir() + "no_such.txt", "x"}, "no_such.txt"},
      {{"recognize", "--lang", "de", "x"}, "--lang"},
  };
  for (const auto& [args, mention] : cases) {
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, 2) << mention;
    EXPECT_EQ(outcome.out, "") << mention;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_TRUE(outcome.err.starts_with("kerbwise-cli: error: ")) << outcome.err;
    EXPECT_NE(outcome.err.find(mention), std::string::npos) << outcome.err;
  }
  const Outcome help = RunCommand({"recognize", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--template FILE"), std::string::npos);
  const Outcome none = RunCommand({"--json"});  // no command: the help, on standard error
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("recognize"), std::string::npos);
}

TEST(RecognizeRobustness, ArbitraryBytesAreShownNotLost) {
  const std::string bytes = std::string("permit\xff\xfe ip") + '\0' + "any\x80";
  const Outcome text = RunCommand({"recognize", bytes});
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(text.out, "1 not recognized | permit\xff\xfe ip\\x00any\x80\n");

  const Outcome asJson = RunCommand({"recognize", "--json", bytes});
  EXPECT_EQ(json::parse(asJson.out)[0]["status"], 1);
  EXPECT_NE(asJson.err.find("UTF-8"), std::string::npos);  // the replacement is not silent
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

// Input a user could paste or point the command line at by mistake: huge
// lists, huge lines, control bytes, broken encodings and object groups beyond
// reason. Every run must end with a clear message or a correct result, and
// keep every byte of the text it was given.

#include <algorithm>

#include "big_pastes.h"
#include "cli_runner.h"
#include "input.h"

namespace {

using namespace kerbwise::testing;
using kerbwise::cli::SplitLines;
using namespace std::string_literals;

constexpr auto npos = std::string::npos;

// A run that ends with `status` and writes nothing to standard error.
CliOutcome Quiet(std::vector<std::string> args, const std::string& input, int status = 0) {
  CliOutcome outcome = RunCommand(std::move(args), input);
  EXPECT_EQ(outcome.status, status) << outcome.err.substr(0, 200);
  EXPECT_EQ(outcome.err, "");
  return outcome;
}

// The list a normalize run writes, without the report lines before it.
std::string ListOf(const CliOutcome& outcome) {
  std::string_view out = outcome.out;
  while (out.substr(0, 2) == "# ") out.remove_prefix(std::min(out.find('\n'), out.size() - 1) + 1);
  return std::string(out);
}

TEST(HostileInput, MegabyteLinesGoWholeThroughEveryCommand) {
  std::string ports = "80";
  while (ports.size() < 1024 * 1024) ports += " 80";
  const std::string entry = "permit tcp any any eq " + ports;
  const std::string list = entry + "\ndeny ip any any\n";
  EXPECT_EQ(ListOf(Quiet({"normalize"}, list)), " 10 " + entry + "\n 20 deny ip any any\n");
  EXPECT_EQ(Quiet({"reflect"}, entry).out, "permit tcp any eq " + ports + " any\n");
  EXPECT_EQ(Quiet({"sort", "--key", "proto"}, list).out,
            " 20 deny ip any any\n\n 10 " + entry + "\n");
  EXPECT_NE(Quiet({"analyze"}, list).out.find("10 " + entry + "\n"), npos);
  EXPECT_NE(Quiet({"check", "tcp any any eq " + ports}, list)
                .out.find("Allowed at line 1: 10 " + entry + "\n"),
            npos);
}

TEST(HostileInput, ControlBytesLineEndsAndBrokenEncodingsAreKept) {
  const std::string nul = "permit ip any\0 any\ndeny ip any any\n"s;
  EXPECT_EQ(ListOf(Quiet({"normalize"}, nul)), " 10 permit ip any\0 any\n 20 deny ip any any\n"s);
  EXPECT_NE(Quiet({"check", "ip any any"}, nul, 2).out.find("The ACL is not recognized"), npos);
  EXPECT_EQ(ListOf(Quiet({"normalize"}, "permit tcp any any eq 80\rdeny ip any any\r")),
            " 10 permit tcp any any eq 80\n 20 deny ip any any\n");

  const std::string badUtf8 = "permit ip any any\nremark caf\xc3 \xff\xfe\n";
  EXPECT_EQ(ListOf(Quiet({"normalize"}, badUtf8)),
            " 10 permit ip any any\n 20 remark caf\xc3 \xff\xfe\n");
  // JSON cannot carry them: they become U+FFFD, and standard error says so once.
  const CliOutcome asJson = RunCommand({"normalize", "--json"}, badUtf8);
  EXPECT_EQ(asJson.status, 0);
  EXPECT_NE(asJson.out.find("remark caf\xef\xbf\xbd \xef\xbf\xbd\xef\xbf\xbd"), npos);
  EXPECT_NE(asJson.err.find("not valid UTF-8"), npos);
  EXPECT_EQ(std::count(asJson.err.begin(), asJson.err.end(), '\n'), 1) << asJson.err;
}

TEST(HostileInput, ObjectGroupsBeyondReasonOrUnreadableAreRefused) {
  std::string nested;  // G0 holds G1, which holds G2, ... down to G10000
  for (int i = 0; i < 10'000; ++i) {
    nested += "object-group network G" + std::to_string(i) + "\n group-object G" +
              std::to_string(i + 1) + "\n";
  }
  const std::string objects =
      WriteTempFile("objects.txt", nested + "object-group network G10000\n host 10.0.0.1\n");
  const CliOutcome deep =
      RunCommand({"reflect", "--objects", objects}, "permit ip any object-group G0\n");
  ExpectRefused(deep, "G0");
  // One line, whatever the depth.
  EXPECT_EQ(deep.err, "kerbwise-cli: The G0 object contains a recursively nested object\n");

  ExpectRefused(RunCommand({"sort", "--key", "proto", "--objects", TempPath("none.txt")}, "x\n"),
                "cannot read the --objects file");
}

// The biggest sizes; slow under the sanitizers, so they carry the ctest label "big".
TEST(Big, MillionLinesNormalizedAndChecked) {
  const std::string list = Unnumbered(1'000'000);
  const std::vector<std::string> lines = SplitLines(ListOf(Quiet({"normalize"}, list)));
  ASSERT_EQ(lines.size(), 1'000'000u);
  EXPECT_EQ(lines.front(), "       10 permit tcp host 10.0.0.1 any eq 2");
  EXPECT_EQ(lines.back(), " 10000000 deny ip any any");
  EXPECT_NE(Quiet({"check", "udp any any"}, list, 1)
                .out.find("Blocked at line 1000000: 10000000 deny ip any any\n"),
            npos);
}

TEST(Big, TenMegabytePasteNormalizedReflectedAndSorted) {
  const std::string paste = ShowOutput(10 << 20);
  // Every line but the header is an entry.
  const auto entries = static_cast<std::size_t>(std::count(paste.begin(), paste.end(), '\n')) - 1;
  const std::vector<std::string> lines = SplitLines(ListOf(Quiet({"normalize"}, paste)));
  ASSERT_EQ(lines.size(), entries);
  EXPECT_EQ(lines.front(), " 10 permit udp 10.0.1.0 0.0.0.255 any eq 2");  // counters cut
  EXPECT_EQ(lines.back(), " 999999990 deny ip any any");
  const std::vector<std::string> reflected = SplitLines(Quiet({"reflect"}, paste).out);
  ASSERT_EQ(reflected.size(), entries);
  EXPECT_EQ(reflected.front(), "permit udp any eq 2 10.0.1.0 0.0.0.255");
  const std::vector<std::string> sorted =
      SplitLines(Quiet({"sort", "--key", "proto", "--no-group"}, paste).out);
  ASSERT_EQ(sorted.size(), entries);
  EXPECT_EQ(sorted.front(), " 999999990 deny ip any any");
}

}  // namespace

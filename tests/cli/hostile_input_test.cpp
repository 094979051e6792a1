// Input a user could paste or point the command line at by mistake: huge
// lists, huge lines, control bytes, broken encodings, self-referring object
// groups and paths that are no readable file. Every run must end with a clear
// message or a correct result, and keep every byte of the text it was given.
// The inputs are generated here, into temporary files.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "big_pastes.h"
#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using namespace std::string_literals;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::size_t EntryCount(const std::string& list) {
  return static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) - 1;
}

// One entry of about a megabyte: a TCP port list.
const std::string& LongPorts() {
  static const std::string ports = [] {
    std::string text = "80";
    while (text.size() < 1024 * 1024) text += " 80";
    return text;
  }();
  return ports;
}
std::string LongEntry() { return "permit tcp any any eq " + LongPorts(); }

std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) {
    text += "object-group network G" + std::to_string(i) + "\n group-object G" +
            std::to_string(i + 1) + "\n";
  }
  return text + "object-group network G" + std::to_string(depth) + "\n host 10.0.0.1\n";
}

struct HostileCase {
  std::string name;
  std::function<std::string()> acl;  // written to the file "@acl" stands for
  std::string objects;  // object groups or conditions, written to the file "@objects" stands for
  std::vector<std::string> args;  // "@dir" is a folder, "@missing" a file that is not there
  int status;
  std::string err;  // a part of standard error; empty: nothing may be written there
  // Checks the output; a refusal (status 2 with a message) must leave it empty.
  std::function<void(const CliOutcome&, const std::string& acl)> verify = nullptr;
};

void PrintTo(const HostileCase& hostile, std::ostream* out) { *out << hostile.name; }

class HostileInput : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, EndsCleanly) {
  const HostileCase& hostile = GetParam();
  const std::string acl = hostile.acl ? hostile.acl() : std::string();
  std::vector<std::string> args = hostile.args;
  for (std::string& arg : args) {
    if (arg == "@acl") arg = WriteTempFile(hostile.name + "_acl.txt", acl);
    if (arg == "@objects") arg = WriteTempFile(hostile.name + "_objects.txt", hostile.objects);
    if (arg == "@dir") arg = ::testing::TempDir();
    if (arg == "@missing") arg = TempPath("no_such_file.txt");
  }
  const CliOutcome outcome = RunCommand(args);
  EXPECT_EQ(outcome.status, hostile.status) << outcome.err;
  if (hostile.err.empty()) {
    EXPECT_EQ(outcome.err, "");
  } else {
    EXPECT_NE(outcome.err.find(hostile.err), std::string::npos) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    if (hostile.status == 2) {
      EXPECT_EQ(outcome.out, "");
    }
  }
  if (hostile.verify) hostile.verify(outcome, acl);
}

// The normalised show output: one line per entry, counters cut, nothing else.
void EveryEntryKept(const CliOutcome& outcome, const std::string& acl) {
  const std::vector<std::string> lines = Lines(outcome.out);
  ASSERT_EQ(lines.size(), EntryCount(acl));
  EXPECT_EQ(lines.front(), " 10 permit udp 10.0.1.0 0.0.0.255 any eq 2");
  EXPECT_EQ(lines.back(), " 999999990 deny ip any any");
}

std::function<void(const CliOutcome&, const std::string&)> OutputIs(std::string expected) {
  return [expected](const CliOutcome& outcome, const std::string&) {
    EXPECT_EQ(outcome.out, expected);
  };
}

std::function<void(const CliOutcome&, const std::string&)> OutputHolds(std::string part) {
  return [part](const CliOutcome& outcome, const std::string&) {
    EXPECT_NE(outcome.out.find(part), std::string::npos) << part.substr(0, 200);
  };
}

const std::string kObjectEntry = "permit ip object-group A any\n";
const std::string kNul = "permit ip any\0 any\ndeny ip any any\n"s;
const std::string kBadUtf8 = "permit ip any any\nremark caf\xc3 \xff\xfe\n";

// Each case finishes in well under a second in an optimised build.
const HostileCase kEveryday[] = {
    {"TenMegabytesNormalized",
     [] { return ShowOutput(10 << 20); },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     EveryEntryKept},
    {"OneMegabyteEntryNormalized",
     [] { return LongEntry() + "\ndeny ip any any\n"; },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 " + LongEntry() + "\n 20 deny ip any any\n")},
    {"OneMegabyteEntryReflected",
     [] { return LongEntry(); },
     "",
     {"reflect", "--acl", "@acl"},
     0,
     "",
     OutputIs("permit tcp any eq " + LongPorts() + " any\n")},
    {"OneMegabyteEntrySorted",
     [] { return "deny ip any any\n" + LongEntry(); },
     "",
     {"sort", "--key", "proto", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 deny ip any any\n\n 20 " + LongEntry() + "\n")},
    {"OneMegabyteEntryAnalysed",
     [] { return LongEntry() + "\ndeny ip any any\n"; },
     "",
     {"analyze", "--acl", "@acl"},
     0,
     "",
     OutputHolds("10 " + LongEntry() + "\n")},
    {"OneMegabyteCondition",
     [] { return LongEntry() + "\ndeny ip any any\n"; },
     "tcp any any eq " + LongPorts(),
     {"check", "--acl", "@acl", "--conditions", "@objects"},
     0,
     "",
     OutputHolds("Allowed at line 1: 10 " + LongEntry() + "\n")},
    {"OneMegabyteRemarkNormalized",
     [] { return "remark " + std::string(1 << 20, 'r') + "\npermit ip any any\n"; },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 remark " + std::string(1 << 20, 'r') + "\n 20 permit ip any any\n")},
    {"NulBytesKept",
     [] { return kNul; },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 permit ip any\0 any\n 20 deny ip any any\n"s)},
    {"NulBytesNotRecognised",
     [] { return kNul; },
     "",
     {"check", "--acl", "@acl", "ip any any"},
     2,
     "",
     OutputHolds("The ACL is not recognized")},
    {"InvalidUtf8Kept",
     [] { return kBadUtf8; },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 permit ip any any\n 20 remark caf\xc3 \xff\xfe\n")},
    {"InvalidUtf8InJson",
     [] { return kBadUtf8; },
     "",
     {"normalize", "--json", "--acl", "@acl"},
     0,
     "not valid UTF-8",
     OutputHolds("remark caf\xef\xbf\xbd \xef\xbf\xbd\xef\xbf\xbd")},
    {"CarriageReturnLineEnds",
     [] { return "permit tcp any any eq 80\rdeny ip any any\r"; },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     OutputIs(" 10 permit tcp any any eq 80\n 20 deny ip any any\n")},
    {"TwoGroupsContainEachOther",
     [] { return kObjectEntry; },
     "object-group network A\n group-object B\nobject-group network B\n group-object A\n",
     {"check", "--acl", "@acl", "--objects", "@objects", "ip any any"},
     2,
     "The A object contains a recursively nested object"},
    {"TenThousandNestedGroups",
     [] { return "permit ip any object-group G0\n"; },
     Nested(10'000),
     {"reflect", "--acl", "@acl", "--objects", "@objects"},
     2,
     "The G0 object contains a recursively nested object"},
    {"RangeOfAlmostAllAddresses",
     [] { return kObjectEntry; },
     "object-group network A\n range 0.0.0.0 255.255.255.254\n",
     {"normalize", "--acl", "@acl", "--objects", "@objects"},
     2,
     "The range 0.0.0.0 255.255.255.254 of the A object spans more than 65536 addresses"},
    {"MissingList",
     nullptr,
     "",
     {"normalize", "--acl", "@missing"},
     2,
     "no_such_file.txt\": No such file or directory"},
    {"MissingObjects",
     [] { return kObjectEntry; },
     "",
     {"sort", "--key", "proto", "--acl", "@acl", "--objects", "@missing"},
     2,
     "cannot read the --objects file"},
    {"FolderAsList", nullptr, "", {"analyze", "--acl", "@dir"}, 2, "Is a directory"},
    {"FolderAsConditions",
     [] { return kObjectEntry; },
     "",
     {"check", "--acl", "@acl", "--conditions", "@dir"},
     2,
     "Is a directory"},
};

// The biggest sizes; slow under the sanitizers, so they carry the ctest label "big".
const HostileCase kBig[] = {
    {"MillionLinesNormalized",
     [] { return Unnumbered(1'000'000); },
     "",
     {"normalize", "--acl", "@acl"},
     0,
     "",
     [](const CliOutcome& outcome, const std::string&) {
       const std::vector<std::string> lines = Lines(outcome.out);
       ASSERT_EQ(lines.size(), 1'000'000u);
       EXPECT_EQ(lines.front(), "       10 permit tcp host 10.0.0.1 any eq 2");
       EXPECT_EQ(lines.back(), " 10000000 deny ip any any");
     }},
    {"MillionLinesChecked",
     [] { return Unnumbered(1'000'000); },
     "",
     {"check", "--acl", "@acl", "udp any any"},
     1,
     "",
     OutputHolds("Blocked at line 1000000: 10000000 deny ip any any\n")},
    {"TenMegabytesReflected",
     [] { return ShowOutput(10 << 20); },
     "",
     {"reflect", "--acl", "@acl"},
     0,
     "",
     [](const CliOutcome& outcome, const std::string& acl) {
       const std::vector<std::string> lines = Lines(outcome.out);
       ASSERT_EQ(lines.size(), EntryCount(acl));
       EXPECT_EQ(lines.front(), "permit udp any eq 2 10.0.1.0 0.0.0.255");
     }},
    {"TenMegabytesSorted",
     [] { return ShowOutput(10 << 20); },
     "",
     {"sort", "--key", "proto", "--no-group", "--acl", "@acl"},
     0,
     "",
     [](const CliOutcome& outcome, const std::string& acl) {
       const std::vector<std::string> lines = Lines(outcome.out);
       ASSERT_EQ(lines.size(), EntryCount(acl));
       EXPECT_EQ(lines.front(), " 999999990 deny ip any any");
     }},
};

std::string CaseName(const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Everyday, HostileInput, ::testing::ValuesIn(kEveryday), CaseName);
INSTANTIATE_TEST_SUITE_P(Big, HostileInput, ::testing::ValuesIn(kBig), CaseName);

// Root reads any file whatever its mode, so there the case cannot be made.
TEST(HostileInputFiles, UnreadableListIsNamed) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root, every file is readable";
  const std::string path = WriteTempFile("unreadable.txt", "permit ip any any\n");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  const CliOutcome outcome = RunCommand({"normalize", "--acl", path});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("Permission denied"), std::string::npos) << outcome.err;
}

}  // namespace

// Real router output, list by list, through every command: no command stops
// on a line it cannot read, and the answers keep to what the lists say.
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kerbwise::testing {
namespace {

std::string RealWorld(const std::string& name) {
  return std::string(KERBWISE_REALWORLD_DIR) + "/" + name;
}

// Definitions for the groups the object-group paste names.
constexpr const char* kGroups =
    "object-group network SRC_NETWORK_OBJECT_GROUP\n"
    " 10.10.0.0 255.255.0.0\n"
    " host 10.20.0.1\n"
    "object-group network DST_NETWORK_OBJECT_GROUP\n"
    " 192.168.5.0 255.255.255.0\n"
    "object-group service SERVICE_OBJECT_GROUP\n"
    " tcp eq 443\n"
    " udp eq 53\n"
    " icmp echo\n";

struct Paste {
  std::string file;
  std::string list;
  std::string condition;  // one that some entry allows
};

class RealWorldCommands : public ::testing::TestWithParam<Paste> {};

TEST_P(RealWorldCommands, EveryCommandReadsTheWholeList) {
  const Paste& paste = GetParam();
  if (!std::ifstream(RealWorld(paste.file))) GTEST_SKIP() << "no real-world samples";
  const std::vector<std::string> input{"--acl",     RealWorld(paste.file),
                                       "--list",    paste.list,
                                       "--objects", WriteTempFile("groups.txt", kGroups)};
  const auto run = [&](std::vector<std::string> command) {
    command.insert(command.end(), input.begin(), input.end());
    const CliOutcome outcome = RunCommand(command);
    EXPECT_NE(outcome.status, 2) << command[0] << ": " << outcome.err;
    EXPECT_EQ(outcome.out.find("not recognized"), std::string::npos) << outcome.out;
    return outcome;
  };
  EXPECT_EQ(run({"normalize"}).status, 0);
  const CliOutcome check = run({"check", paste.condition});
  EXPECT_NE(check.out.find("Allowed at line"), std::string::npos) << check.out;
  run({"analyze"});
  run({"shadowed"});
  run({"redundant"});
  EXPECT_EQ(run({"sort", "--key", "src-addr,dst-addr", "--collapse", "--keep-remarks", "--commands",
                 "--force"})
                .status,
            0);
  EXPECT_EQ(run({"reflect"}).status, 0);
  EXPECT_EQ(run({"diff", "--other", RealWorld(paste.file)}).status, 0);
}

INSTANTIATE_TEST_SUITE_P(Pastes, RealWorldCommands,
                         ::testing::Values(Paste{"show-access-lists-mixed.txt", "sample",
                                                 "tcp host 10.10.37.25 host 10.10.5.20 eq 4000"},
                                           Paste{"show-access-lists-mixed.txt", "101",
                                                 "udp any eq 161 host 10.1.0.9 eq 80"},
                                           Paste{"show-access-lists-mixed.txt", "99",
                                                 "ip host 172.16.191.199 host 10.9.9.9"},
                                           Paste{"show-access-lists-object-groups.txt",
                                                 "access-acl",
                                                 "udp host 10.20.0.1 host 10.1.2.3 eq 53"}));

}  // namespace
}  // namespace kerbwise::testing

// kerbwise-cli reflect and names.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"

namespace {

using kerbwise::testing::CliOutcome;
using kerbwise::testing::RunCommand;
using kerbwise::testing::WriteTempFile;
using nlohmann::json;

const char* const kList =
    "ip access-list extended WEB\n"
    " permit tcp 10.1.0.0 0.0.255.255 host 192.168.1.5 eq 443 established log\n"
    " remark return path\n"
    " permit icmp any host 10.0.0.1 echo\n"
    " permit ahp any any\n";

TEST(ReflectCommand, OneLinePerListLineInTextAndJson) {
  const CliOutcome text = RunCommand({"reflect"}, kList);
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "permit tcp host 192.168.1.5 eq 443 10.1.0.0 0.0.255.255 log\n"
            "-remark \n"
            "permit icmp host 10.0.0.1 any echo-reply\n"
            "-not recognized: permit ahp any any\n");

  const std::string acl = WriteTempFile("reflect.txt", kList);
  const CliOutcome russian = RunCommand({"--json", "reflect", "--acl", acl, "--lang", "ru"});
  ASSERT_EQ(russian.status, 0) << russian.err;
  EXPECT_EQ(json::parse(russian.out)["lines"][3], "-не опознано: permit ahp any any");
}

TEST(ReflectCommand, ExpandsObjectGroupsAndWritesNetmasks) {
  const std::string objects =
      WriteTempFile("reflect-objects.txt", "object-group network NETS\n 10.1.0.0 255.255.0.0\n");
  const CliOutcome outcome = RunCommand({"reflect", "--netmask", "--objects", objects},
                                        "permit udp object-group NETS eq 53 0.0.0.0 255.0.0.0\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "permit udp 0.0.0.0 255.0.0.0 10.1.0.0 255.255.0.0 eq 53\n");

  const CliOutcome missing = RunCommand({"reflect"}, "permit ip object-group NONE any\n");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("NONE"), std::string::npos) << missing.err;
}

TEST(NamesCommand, ReferenceInTextAndJson) {
  const CliOutcome text = RunCommand({"names"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.substr(0, 42), "Alias            Num\n--------------------\n");
  const json lines = json::parse(RunCommand({"names", "--json"}).out)["lines"];
  ASSERT_EQ(lines.size(), 110u);
  EXPECT_EQ(lines[2], "TCP bgp          179");
  EXPECT_EQ(lines.back(), "ICMP mobile-redirect      32   -");
}

}  // namespace

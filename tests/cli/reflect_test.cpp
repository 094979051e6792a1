// kerbwise-cli reflect and names.
#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

TEST(ReflectCommand, OneLinePerListLine) {
  ExpectRun(RunCommand({"reflect"},
                       "ip access-list extended WEB\n permit tcp "
                       "any host 10.0.0.1 eq 443\n remark return\n"),
            0, "permit tcp host 10.0.0.1 eq 443 any\n-remark \n");

  EXPECT_EQ(RunJson({"--json", "reflect", "--lang", "ru"}, "permit nvp any any\n"),
            json::parse(R"({"lines": ["-не опознано: permit nvp any any"]})"));
}

TEST(NamesCommand, ReferenceInTextAndJson) {
  const CliOutcome text = RunCommand({"names"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("TCP bgp          179\n"), std::string::npos);
  const json document = RunJson({"names", "--json"});
  std::string joined;
  for (const std::string line : document["lines"]) joined += line + '\n';
  EXPECT_EQ(joined, text.out);
}

}  // namespace

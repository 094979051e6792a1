#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

const std::string kList =
    "ip access-list extended EDGE\n"
    " 10 permit tcp any object-group WEB eq 80\n"
    " 20 permit udp any any eq 53\n"
    " 30 permit ip any any\n";

std::vector<std::string> Args(std::vector<std::string> extra) {
  std::vector<std::string> args{
      "sort", "--objects",
      WriteTempFile("objects.txt", "object-group network WEB\n host 10.0.0.1\n host 10.0.0.2\n")};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

TEST(SortCommand, TextAndJson) {
  ExpectRun(RunCommand(Args({"--key", "proto"}), kList), 0,
            " 30 permit ip any any\n\n010 permit tcp any host 10.0.0.1 eq 80\n"
            "010 permit tcp any host 10.0.0.2 eq 80\n\n 20 permit udp any any eq 53\n");

  EXPECT_EQ(RunJson(Args({"--key", "proto", "--collapse", "--no-numbers", "--no-group", "--json"}),
                    kList + " 40 remark end\n"),
            json::parse(R"({"text": ["permit ip any any", "permit tcp any object-group WEB eq 80",
                                     "permit udp any any eq 53", "", "remark: 40 remark end"],
                            "problems": ["remark: 40 remark end"]})"));
}

TEST(SortCommand, Commands) {
  const CliOutcome produced =
      RunCommand(Args({"--key", "proto", "--collapse", "--commands"}), kList);
  EXPECT_EQ(produced.status, 0) << produced.err;
  EXPECT_EQ(produced.err, "");
  EXPECT_EQ(produced.out,
            "ip access-list extended EDGE\nno 30\n\nip access-list resequence EDGE 2 2\n\n"
            "ip access-list extended EDGE\n1 permit ip any any\n\n"
            "ip access-list resequence EDGE 10 10\n");

  const json document =
      RunJson({"sort", "--key", "dst-opt", "--commands", "--json", "--lang", "ru"},
              "permit tcp any any eq 80\npermit ip any any\n");
  EXPECT_EQ(document["message"], "Не задано имя ACL");
  EXPECT_EQ(document["commands"][1], "no 20");
}

TEST(SortCommand, KeptRemarksMoveWithTheirEntries) {
  const std::string list =
      "ip access-list extended EDGE\n 10 remark dns\n 20 permit udp any any eq 53\n"
      " 30 remark web\n 40 permit tcp any any eq 80\n";
  ExpectRefused(RunCommand({"sort", "--key", "proto", "--commands"}, list),
                "remark: 10 remark dns");
  ExpectRun(RunCommand({"sort", "--key", "proto", "--commands", "--keep-remarks"}, list), 0,
            "ip access-list extended EDGE\nno 30\nno 40\n\nip access-list resequence EDGE 3 3\n\n"
            "ip access-list extended EDGE\n1 remark web\n2 permit tcp any any eq 80\n\n"
            "ip access-list resequence EDGE 10 10\n");
}

TEST(SortCommand, OrderThatChangesWhatTheListDoes) {
  // By protocol the ip deny comes first and shadows the tcp permit.
  const std::string list =
      "ip access-list extended EDGE\n 10 permit tcp any any eq 22\n 20 deny ip any any\n";
  const CliOutcome refused = RunCommand({"sort", "--key", "proto", "--commands"}, list);
  ExpectRefused(refused, "Entries 10 and 20 overlap");
  EXPECT_NE(refused.err.find("--force"), std::string::npos);

  const CliOutcome forced = RunCommand({"sort", "--key", "proto", "--commands", "--force"}, list);
  EXPECT_EQ(forced.status, 0);
  EXPECT_TRUE(forced.out.starts_with("ip access-list extended EDGE\nno 20\n")) << forced.out;
  EXPECT_NE(forced.err.find("(1 pairs of entries)"), std::string::npos);

  EXPECT_EQ(RunCommand({"sort", "--key", "proto", "--check-order"}, list).status, 1);
  EXPECT_EQ(RunJson({"sort", "--key", "proto", "--check-order", "--json"}, list),
            json::parse(R"({"changes": [{"first": " 10 permit tcp any any eq 22",
                                         "second": " 20 deny ip any any",
                                         "old": [1, 2], "new": [2, 1],
                                         "message": "Entries 10 and 20 overlap and have opposite actions; the new order changes what the list does for their common traffic."}],
                            "count": 1})"));

  // Permits alone never change what the list does.
  ExpectRun(RunCommand(Args({"--key", "proto", "--check-order"}), kList), 0, "");
}

// The lists of a real paste chosen one by one: sorting changes nothing the
// extended lists do, and the standard list is entered as standard.
TEST(SortCommand, RealWorldPasteListByList) {
  const std::string paste = std::string(KERBWISE_REALWORLD_DIR) + "/show-access-lists-mixed.txt";
  if (!std::ifstream(paste)) GTEST_SKIP() << "no real-world samples at " << paste;
  for (const std::string list : {"sample", "101"}) {
    const CliOutcome checked = RunCommand(
        {"sort", "--key", "proto,dst-addr", "--check-order", "--acl", paste, "--list", list});
    EXPECT_EQ(checked.status, 0) << list << checked.out << checked.err;
    EXPECT_EQ(checked.out, "") << list;
  }
  ExpectRun(RunCommand({"sort", "--key", "src-addr", "--commands", "--force", "--acl", paste,
                        "--list", "99"}),
            0,
            "ip access-list standard 99\nno 10\n\nip access-list resequence 99 2 2\n\n"
            "ip access-list standard 99\n5 permit 172.16.191.199\n\n"
            "ip access-list resequence 99 10 10\n");
}

TEST(SortCommand, Refusals) {
  for (const auto& [args, mention] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"sort"}, "--key"},
           {{"sort", "--key", "port"}, "port"},
           {{"sort", "--key", "proto,src-addr,proto"}, "key column given twice: proto"},
           {{"sort", "--key", "proto", "--force"}, "--commands"},
           // A list whose inconsistent numbering was kept has no order to restore.
           {{"sort", "--key", "proto", "--keep-numbering"}, "cannot be sorted"},
       }) {
    ExpectRefused(RunCommand(args, "20 permit ip any any\n10 deny ip any any\n"), mention);
  }
}

}  // namespace

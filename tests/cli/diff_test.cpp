#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

const std::string kOld =
    "ip access-list extended EDGE\n"
    " 10 permit tcp any object-group WEB eq 80\n"
    " 20 deny tcp any any eq 80\n"
    " 30 permit udp any any eq 53\n";

std::vector<std::string> Args(const std::string& newList, std::vector<std::string> extra = {}) {
  std::vector<std::string> args{
      "diff", "--objects",
      WriteTempFile("objects.txt", "object-group network WEB\n host 10.0.0.1\n host 10.0.0.2\n"),
      "--other", WriteTempFile("new.txt", newList)};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

TEST(DiffCommand, RenumberedOrExpandedListsDoTheSame) {
  // The object group written out, renumbered and remarked.
  const std::string expanded =
      "Extended IP access list EDGE\n"
      "    1 remark web servers\n"
      "    2 permit tcp any host 10.0.0.1 eq www\n"
      "    3 permit tcp any host 10.0.0.2 eq 80\n"
      "    4 deny tcp any any eq 80\n"
      "    5 permit udp any any eq 53\n";
  ExpectRun(RunCommand(Args(expanded), kOld), 0, "the lists do the same\n");
  EXPECT_EQ(RunJson(Args(expanded, {"--lang", "ru", "--json"}), kOld),
            json::parse(R"({"same": true, "message": "списки делают одно и то же",
                            "newly_permitted": [], "newly_denied": []})"));
}

TEST(DiffCommand, DifferentListsShowExamplePacketsWithTheDecidingEntries) {
  const std::string swapped =
      "ip access-list extended EDGE\n"
      " 10 deny tcp any any eq 80\n"
      " 20 permit tcp any object-group WEB eq 80\n"
      " 30 permit udp any any eq 53\n"
      " 40 permit icmp any any echo\n";
  ExpectRun(RunCommand(Args(swapped), kOld), 1,
            "Newly permitted:\n"
            "  icmp from 0.0.0.0 to 0.0.0.0 type 8 code 0\n"
            "    old: implicit deny at the end\n"
            "    new: 40 permit icmp any any echo\n"
            "\n"
            "Newly denied:\n"
            "  tcp from 0.0.0.0 port 1024 to 10.0.0.1 port 80\n"
            "    old: 010 permit tcp any host 10.0.0.1 eq 80\n"
            "    new: 10 deny tcp any any eq 80\n"
            "  tcp from 0.0.0.0 port 1024 to 10.0.0.2 port 80\n"
            "    old: 010 permit tcp any host 10.0.0.2 eq 80\n"
            "    new: 10 deny tcp any any eq 80\n");

  const json document = RunJson(Args(swapped, {"--json"}), kOld);
  EXPECT_EQ(document["same"], false);
  EXPECT_EQ(document["newly_denied"][0],
            json::parse(R"({"protocol": "tcp", "source": "0.0.0.0", "destination": "10.0.0.1",
                            "source_port": 1024, "destination_port": 80,
                            "icmp_type": null, "icmp_code": null,
                            "old": {"line": 1, "text": "010 permit tcp any host 10.0.0.1 eq 80",
                                    "permits": true},
                            "new": {"line": 1, "text": "10 deny tcp any any eq 80",
                                    "permits": false}})"));
  EXPECT_EQ(document["newly_permitted"][0]["old"],
            json::parse(R"({"line": null, "text": "implicit deny at the end",
                            "permits": false})"));
}

TEST(DiffCommand, UnreadableLinesAndMissingFilesAreRefused) {
  ExpectRefused(RunCommand(Args("10 permit tcp any any eq 80\n20 permit bogus\n"), kOld),
                "new list, line: 20 permit bogus: The ACL is not recognized");
  ExpectRefused(RunCommand({"diff", "--other", TempPath("absent.txt")}, kOld), "--other file");
  ExpectRefused(RunCommand({"diff"}, kOld), "--other");
}

}  // namespace

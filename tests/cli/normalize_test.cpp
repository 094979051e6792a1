#include <fstream>

#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

TEST(NormalizeCommand, JsonGivesThePanesAndTheObjectListing) {
  const std::string acl = WriteTempFile(
      "acl.txt",
      "ip access-list extended BlaBlaBla\npermit ip object-group zeta addrgroup Alpha\n");
  const std::string objects =
      WriteTempFile("objects.txt",
                    "object-group ip address Alpha\r\nhost 10.0.0.1\r\n\r\n"
                    "object-group network zeta\r\n10.1.0.0 255.255.0.0\r\n");
  const CliOutcome outcome =
      RunCommand({"--json", "normalize", "--acl", acl, "--objects", objects, "--netmask"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(json::parse(outcome.out), json::parse(R"({
    "name": "BlaBlaBla", "caption": "Kerbwise: BlaBlaBla",
    "list": ["010 permit ip 10.1.0.0 255.255.0.0 host 10.0.0.1"],
    "source": ["10 permit ip object-group zeta addrgroup Alpha"],
    "header": "ip access-list extended BlaBlaBla", "header_index": 0, "numbering": "given",
    "can_optimize": true, "cancelled": false, "error": "", "error_object": "",
    "enabled": {"name": true, "objects": true, "analysis": false, "sort": false,
                "ports_in_set": false, "reflect": true},
    "name_copy": ["BlaBlaBla", "ip access-list BlaBlaBla", "ip access-list extended BlaBlaBla"],
    "used_objects": {
      "text": ["object-group ip address Alpha", " host 10.0.0.1", "",
               "object-group network zeta", " 10.1.0.0 255.255.0.0"],
      "groups": [{"name": "Alpha", "start": 0, "end": 48},
                 {"name": "zeta", "start": 49, "end": 99}]},
    "counts": {"dropped": 0, "headers": 1, "entries": 1, "expanded_entries": 1,
               "derived_entries": 1},
    "kind": "extended", "hits": [null],
    "lists": [{"name": "BlaBlaBla", "kind": "extended", "entries": 1}]})"));

  EXPECT_EQ(RunCommand({"normalize", "--acl", acl, "--objects", objects}).out,
            "# List BlaBlaBla: 1 entry from 2 lines (1 header, 0 dropped)\n"
            "# Numbering: given: 10, 20, 30, ...\n"
            "# Object groups: 1 entry expanded into 1 entry, using Alpha zeta\n"
            "010 permit ip 10.1.0.0 0.0.255.255 host 10.0.0.1\n");
}

TEST(NormalizeCommand, NumberingQuestionNeedsAnOption) {
  const std::string list = "10 permit ip any any\n5 deny ip any any\n";
  const CliOutcome unanswered = RunCommand({"normalize"}, list);
  ExpectRefused(unanswered, "Invalid numbering order in the string:\n5 deny ip any any\n");
  EXPECT_NE(unanswered.err.find("--keep-numbering"), std::string::npos);

  EXPECT_EQ(RunCommand({"normalize", "--renumber"}, list).out,
            "# List without a name: 2 entries from 2 lines (0 headers, 0 dropped)\n"
            "# Numbering: renumbered: 10, 20, 30, ...\n"
            " 10 permit ip any any\n 20 deny ip any any\n");
  // Lines without a number get 0; the others keep theirs.
  EXPECT_EQ(RunCommand({"normalize", "--keep-numbering"},
                       "R1#show access-lists\n\npermit ip any any\n20 deny ip any any\n")
                .out,
            "# List without a name: 2 entries from 4 lines (0 headers, 2 dropped)\n"
            "# Numbering: kept as written, lines without a number got 0; the list cannot be "
            "analysed or sorted\n"
            " 0 permit ip any any\n 20 deny ip any any\n");

  ExpectRefused(RunCommand({"normalize", "--renumber", "--keep-numbering"}, list), "--renumber");
}

TEST(NormalizeCommand, RealWorldPastesNeedAListChosen) {
  const std::string mixed = KERBWISE_REALWORLD_DIR "/show-access-lists-mixed.txt";
  const std::string groups = KERBWISE_REALWORLD_DIR "/show-access-lists-object-groups.txt";
  if (!std::ifstream(mixed) || !std::ifstream(groups)) GTEST_SKIP() << "no real-world samples";

  const std::string found =
      "  99 (standard, 3 entries)\n  stdacl (standard, 1 entry)\n  test (extended, 0 entries)\n"
      "  101 (extended, 8 entries)\n  sample (extended, 66 entries)\n"
      "  test2 (extended, 0 entries)\n";
  ExpectRefused(RunCommand({"normalize", "--acl", mixed}),
                "kerbwise-cli: the paste holds 6 lists; choose one with --list NAME:\n" + found);
  ExpectRefused(RunCommand({"sort", "--key", "proto", "--acl", mixed, "--list", "nope"}),
                "kerbwise-cli: the paste holds no list nope; it holds:\n" + found);
  // An empty list is reported as empty, not as a part of the next one.
  ExpectRefused(RunCommand({"check", "--acl", mixed, "--list", "test", "permit ip any any"}),
                "kerbwise-cli: the list test has no entries\n");

  // --list picks the list; what the core reads of it is held there.
  EXPECT_EQ(RunJson({"normalize", "--json", "--acl", mixed, "--list", "sample"})["list"].size(),
            66u);
  const json standard = RunJson({"normalize", "--json", "--acl", mixed, "--list", "99"});
  EXPECT_EQ(standard["kind"], "standard");
  EXPECT_EQ(standard["name_copy"][2], "ip access-list standard 99");
  EXPECT_EQ(standard["list"][2], " 30 permit 10.0.10.0 0.255.0.255");

  // Object groups referenced without their definitions.
  const CliOutcome missing = RunCommand({"normalize", "--acl", groups});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "kerbwise-cli: Object SRC_NETWORK_OBJECT_GROUP is not found\n");
}

TEST(NormalizeCommand, HitsAndListsOfAConfigurationPaste) {
  const std::string paste =
      "ip access-list extended EDGE\n 10 permit tcp any any eq 443 (12 matches)\n"
      " 20 deny ip any any (hitcnt=3)\nipv6 access-list EDGE\n permit ipv6 any any\n";
  const json edge = RunJson({"normalize", "--json", "--list", "EDGE"}, paste);
  EXPECT_EQ(edge["hits"], json::parse("[12, 3]"));
  EXPECT_EQ(edge["lists"], json::parse(R"([{"name": "EDGE", "kind": "extended", "entries": 2},
                                           {"name": "EDGE", "kind": "IPv6", "entries": 1}])"));
  ExpectRefused(
      RunCommand({"normalize"}, "ipv6 access-list V6\n permit ipv6 any any\n"),
      "kerbwise-cli: the list V6 (IPv6) is not read: only IPv4 standard and extended lists are\n");
  EXPECT_EQ(RunCommand({"normalize", "--list", "EDGE"}, paste).out,
            "# List EDGE: 2 entries from 5 lines (2 headers, 0 dropped, 1 of other lists and "
            "object groups)\n# Numbering: as written\n 10 permit tcp any any eq 443\n"
            " 20 deny ip any any\n");
}

}  // namespace

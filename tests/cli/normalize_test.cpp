#include <iterator>

#include "cli_runner.h"

namespace {

using namespace kerbwise::testing;
using nlohmann::json;

TEST(NormalizeCommand, DefaultPanesInJson) {
  const CliOutcome outcome =
      RunCommand({"normalize", "--json"}, "ip access-list extended BlaBlaBla\npermit ip any any\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(json::parse(outcome.out), json::parse(R"({
    "name": "BlaBlaBla", "caption": "Kerbwise: BlaBlaBla",
    "list": [" 10 permit ip any any"], "source": ["10 permit ip any any"],
    "header": "ip access-list extended BlaBlaBla", "header_index": 0,
    "can_optimize": true, "cancelled": false, "error": "", "error_object": "",
    "enabled": {"name": true, "objects": false, "analysis": false, "sort": false,
                "ports_in_set": false, "reflect": true},
    "name_copy": ["BlaBlaBla", "ip access-list BlaBlaBla", "ip access-list extended BlaBlaBla"],
    "used_objects": {"text": [], "groups": []}})"));
}

TEST(NormalizeCommand, ObjectGroupsAndTheirListing) {
  const std::string acl = WriteTempFile("acl.txt", "permit ip object-group zeta addrgroup Alpha\n");
  const std::string objects =
      WriteTempFile("objects.txt",
                    "object-group ip address Alpha\r\nhost 10.0.0.1\r\n\r\n"
                    "object-group network zeta\r\n10.1.0.0 255.255.0.0\r\n");
  const CliOutcome text =
      RunCommand({"normalize", "--acl", acl, "--objects", objects, "--netmask"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "010 permit ip 10.1.0.0 255.255.0.0 host 10.0.0.1\n");

  const json result = RunJson({"--json", "normalize", "--acl", acl, "--objects", objects});
  EXPECT_EQ(result["used_objects"], json::parse(R"({
    "text": ["object-group ip address Alpha", " host 10.0.0.1", "",
             "object-group network zeta", " 10.1.0.0 255.255.0.0"],
    "groups": [{"name": "Alpha", "start": 0, "end": 48},
               {"name": "zeta", "start": 49, "end": 99}]})"));
  EXPECT_EQ(result["enabled"]["objects"], true);
}

TEST(NormalizeCommand, NumberingQuestionNeedsAnOption) {
  const std::string list = "10 permit ip any any\n5 deny ip any any\n";
  const CliOutcome unanswered = RunCommand({"normalize"}, list);
  EXPECT_EQ(unanswered.status, 2);
  EXPECT_EQ(unanswered.out, "");
  EXPECT_NE(unanswered.err.find("Invalid numbering order in the string:\n5 deny ip any any\n"),
            std::string::npos)
      << unanswered.err;
  EXPECT_NE(unanswered.err.find("--keep-numbering"), std::string::npos);

  EXPECT_EQ(RunCommand({"normalize", "--renumber"}, list).out,
            " 10 permit ip any any\n 20 deny ip any any\n");
  const json kept = RunJson({"normalize", "--keep-numbering", "--json"}, list);
  EXPECT_EQ(kept["list"], json::parse(R"([" 10 permit ip any any", " 5 deny ip any any"])"));
  EXPECT_EQ(kept["can_optimize"], false);
  EXPECT_EQ(RunCommand({"normalize", "--keep-numbering"}, "permit ip any any\n20 deny ip any any\n").out,
            " 0 permit ip any any\n 20 deny ip any any\n");

  EXPECT_EQ(RunCommand({"normalize", "--renumber", "--keep-numbering"}, list).status, 2);
}

TEST(NormalizeCommand, ObjectErrorGoesToStandardError) {
  const CliOutcome outcome =
      RunCommand({"normalize", "--lang", "ru"}, "permit ip addrgroup NOPE any\n");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "kerbwise-cli: Объект NOPE не найден\n");
}

std::string ReadRealWorld(const std::string& name) {
  std::ifstream file(std::string(KERBWISE_REALWORLD_DIR) + "/" + name, std::ios::binary);
  if (!file) return {};
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(NormalizeCommand, RealWorldPastes) {
  const std::string mixed = ReadRealWorld("show-access-lists-mixed.txt");
  const std::string groups = ReadRealWorld("show-access-lists-object-groups.txt");
  if (mixed.empty() || groups.empty()) GTEST_SKIP() << "real-world samples not present";

  // Several lists restart their numbers: the run asks, then renumbers them all.
  const json renumbered = RunJson({"normalize", "--renumber", "--json"}, mixed);
  // The last header names the list; standard-list headings are not headers
  // of an extended list and stay as (unrecognisable) entries.
  EXPECT_EQ(renumbered["name"], "test2");
  EXPECT_EQ(renumbered["list"][0], "  10 Standard IP access list 99");
  EXPECT_EQ(renumbered["list"].size(), 80u);  // 84 lines, 4 extended headings
  for (const auto& line : renumbered["list"]) {
    const std::string text = line;
    EXPECT_EQ(text.find_first_of("(["), std::string::npos) << text;
  }

  // Object groups referenced without their definitions.
  const CliOutcome missing = RunCommand({"normalize", "--renumber"}, groups);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "kerbwise-cli: Object SRC_NETWORK_OBJECT_GROUP is not found\n");
}

}  // namespace

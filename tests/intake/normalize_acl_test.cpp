#include "intake/normalize_acl.h"

#include <gtest/gtest.h>

#include <tuple>

#include "presentation/intake_messages.h"
#include "scripted_answers.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;
using testing::ScriptedAnswers;

NormalizeResult Normalize(const Lines& source, ScriptedAnswers& answers,
                          Language language = Language::English) {
  return NormalizeACL(source, {}, {.TextLanguage = language}, answers);
}

// The controls a run leaves enabled, by name.
std::string Enabled(const NormalizeResult& result) {
  const ListControls on = ControlsAfter(result);
  const std::string names = std::string(on.Name ? " Name" : "") + (on.Objects ? " Objects" : "") +
                            (on.Analysis ? " Analysis" : "") + (on.Sort ? " Sort" : "") +
                            (on.PortsInSet ? " PortsInSet" : "") + (on.Reflect ? " Reflect" : "");
  return names.empty() ? names : names.substr(1);
}

NormalizeResult NormalizeSilently(const Lines& source) {
  ScriptedAnswers answers;
  NormalizeResult result = Normalize(source, answers);
  EXPECT_TRUE(answers.asked.empty()) << answers.asked.front().Text;
  return result;
}

TEST(NormalizeAcl, DefaultPanesGiveNamedOneEntryListAndASecondRunFindsNoHeader) {
  const NormalizeResult result =
      NormalizeSilently({"ip access-list extended BlaBlaBla", "permit ip any any"});
  EXPECT_EQ(result.AclName, "BlaBlaBla");
  EXPECT_EQ(ListCaption(result), "Kerbwise: BlaBlaBla");
  EXPECT_EQ(result.HeaderLine, "ip access-list extended BlaBlaBla");
  EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any"}));
  EXPECT_EQ(result.ListLines, Lines({" 10 permit ip any any"}));
  EXPECT_EQ(Enabled(result), "Name Reflect");  // one entry: nothing to analyse or sort

  const NormalizeResult second = NormalizeSilently(result.SourceLines);
  EXPECT_EQ(ListCaption(second), "Kerbwise");
  EXPECT_EQ(Enabled(second), "Reflect");
  EXPECT_EQ(second.ListLines, result.ListLines);
}

TEST(NormalizeAcl, ShowOutputLosesCountersPromptsAndStatistics) {
  const NormalizeResult result = NormalizeSilently({
      "router#show access-lists TEST",
      "Extended IP access list TEST",
      "    10 permit tcp any any eq www (25 matches)",
      "    20 deny ip any any [3 matches]",
      "statistics per-entry",
      "",
      "    30 remark web servers (DMZ) [ticket #42]",
      "(12 matches)",
  });
  EXPECT_EQ(result.AclName, "TEST");
  // A remark is the user's own text: routers print no counters after it, so
  // it keeps its brackets and "#" whole.
  EXPECT_EQ(result.ListLines, Lines({" 10 permit tcp any any eq www", " 20 deny ip any any",
                                     " 30 remark web servers (DMZ) [ticket #42]"}));
  EXPECT_EQ(Enabled(result), "Name Analysis Sort PortsInSet Reflect");
}

TEST(NormalizeAcl, HeaderFormsAndCaptions) {
  struct Case {
    std::string header, name, caption;
  };
  const std::string name33 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456";
  const std::vector<Case> cases = {
      {"ip access-list extended WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"Extended IP access list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"ip access-list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"IP access list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"ip access-list standard S1", "standard S1", "Kerbwise: standard S1"},
      {"ip access-list extended " + name33, name33, "Kerbwise: " + name33.substr(0, 30) + ".."},
      {"ip access-list extended " + name33.substr(0, 32), name33.substr(0, 32),
       "Kerbwise: " + name33.substr(0, 32)},
  };
  for (const Case& c : cases) {
    const NormalizeResult result = NormalizeSilently({c.header, "permit ip any any"});
    EXPECT_EQ(result.AclName, c.name) << c.header;
    EXPECT_EQ(ListCaption(result), c.caption) << c.header;
    EXPECT_EQ(ListCaption(ListCaptionName({c.header, "permit ip any any"})), c.caption) << c.header;
  }
}

TEST(NormalizeAcl, LastOfSeveralHeadersNamesTheList) {
  // The caption shown before the run is the one the run ends with: a prompt
  // line is no header, and counters are cut before the header is read.
  const Lines source{"ip access-list extended A", "permit ip any any",
                     "ip access-list extended B (5 matches)", "deny ip any any",
                     "R1#ip access-list extended C"};
  const NormalizeResult result = NormalizeSilently(source);
  EXPECT_EQ(ListCaption(ListCaptionName(source)), "Kerbwise: B");
  EXPECT_EQ(ListCaption(result), "Kerbwise: B");
  EXPECT_EQ(result.AclName, "B");
  EXPECT_EQ(result.HeaderIndex, 1u);
  EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "20 deny ip any any"}));
}

TEST(NormalizeAcl, NumbersAlignedToTheLongestNumber) {
  const NormalizeResult result = NormalizeSilently(Lines(12, "permit ip any any"));
  ASSERT_EQ(result.SourceLines.size(), 12u);
  EXPECT_EQ(result.SourceLines[8], " 90 permit ip any any");
  EXPECT_EQ(result.SourceLines[11], "120 permit ip any any");
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(result.ListLines[i], " " + result.SourceLines[i]);
}

TEST(NormalizeAcl, InconsistentNumberingAsksOneQuestion) {
  using enum QuestionId;
  // The source, the question asked and the source line it quotes.
  const std::tuple<Lines, QuestionId, std::size_t> cases[] = {
      {{"10 permit ip any any", "20 deny ip any any", "20 deny tcp any any"}, NumberingOrder, 2},
      {{"10 permit ip any any", "deny ip any any", "30 deny tcp any any"}, UnnumberedLine, 1},
      {{"permit ip any any", "20 deny ip any any"}, NumberedLine, 1},
      {{"0 permit ip any any", "deny ip any any", "5 deny ip any any"}, NumberedLine, 2}};
  for (const auto& [source, question, quoted] : cases) {
    ScriptedAnswers answers({true});
    EXPECT_EQ(Normalize(source, answers).Problem, (NumberingProblem{question, source[quoted]}));
    EXPECT_EQ(answers.asked.size(), 1u);
  }
}

TEST(NormalizeAcl, AnswersDecideTheNumbering) {
  const Lines source = {"ip access-list extended X", "10 permit ip any any", "deny ip any any"};
  {
    ScriptedAnswers yes({true});
    const NormalizeResult result = Normalize(source, yes);
    EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "20 deny ip any any"}));
    EXPECT_EQ(Enabled(result), "Name Analysis Sort PortsInSet Reflect");
  }
  {
    ScriptedAnswers noThenYes({false, true});
    const NormalizeResult result = Normalize(source, noThenYes);
    ASSERT_EQ(noThenYes.asked.size(), 2u);
    EXPECT_EQ(noThenYes.asked[0].Title, "Oops ...");
    EXPECT_EQ(noThenYes.asked[0].Text,
              "There is an unnumbered line in the numbered list:\r\rdeny ip any any\r\r"
              "Renumber the lines?");
    EXPECT_EQ(noThenYes.asked[1].Id, QuestionId::KeepNumbering);
    EXPECT_EQ(noThenYes.asked[1].Title, "");
    EXPECT_EQ(noThenYes.asked[1].Text, "Continue without the ability to optimize the ACL?");
    EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "0 deny ip any any"}));
    EXPECT_EQ(result.ListLines, Lines({" 10 permit ip any any", " 0 deny ip any any"}));
    EXPECT_EQ(Enabled(result), "Name Reflect");  // two entries, numbers not trusted
  }
  {  // Kept numbers stay as written when the first line has 0.
    ScriptedAnswers noThenYes({false, true});
    const NormalizeResult result =
        Normalize({"0 permit ip any any", "20 deny ip any any"}, noThenYes);
    EXPECT_EQ(result.ListLines, Lines({" 0 permit ip any any", " 20 deny ip any any"}));
  }
  {
    ScriptedAnswers noThenNo({false, false});
    const NormalizeResult result = Normalize(source, noThenNo, Language::Russian);
    EXPECT_EQ(noThenNo.asked[0].Title, "Хм ...");
    EXPECT_EQ(noThenNo.asked[0].Text,
              "В нумерованном списке есть ненумерованная строка:\r\rdeny ip any any\r\r"
              "Перенумеровать строки ?");
    EXPECT_EQ(noThenNo.asked[1].Text, "Продолжить без возможности оптимизации access листа ?");
    EXPECT_TRUE(result.Cancelled);
    EXPECT_TRUE(result.ListLines.empty());
    EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "deny ip any any"}));
    EXPECT_EQ(Enabled(result), "Name");
  }
}

TEST(NormalizeAcl, RenumberingReplacesOnlyReadableNumbers) {
  ScriptedAnswers yes({true});
  const NormalizeResult result =
      Normalize({"10 permit ip any any", "5   deny ip any any", "-3 remark minus"}, yes);
  EXPECT_EQ(result.SourceLines,
            Lines({"10 permit ip any any", "20 deny ip any any", "30 -3 remark minus"}));
}

TEST(NormalizeAcl, BlankSourceIsLeftAloneAndOneOfHeadersAndCommentsGivesAnEmptyList) {
  const NormalizeResult blank = NormalizeSilently({"", "  \t", ""});
  EXPECT_FALSE(blank.Ran);

  const NormalizeResult result =
      NormalizeSilently({"! comment #", "ip access-list extended EMPTY", "(5 matches)"});
  EXPECT_TRUE(result.ListLines.empty());
  EXPECT_EQ(result.SourceLines, Lines({"ip access-list extended EMPTY"}));
  EXPECT_EQ(Enabled(result), "Name");
}

TEST(NormalizeWithObjects, DerivedEntriesCarryTheSourceNumber) {
  ScriptedAnswers answers;
  const NormalizeResult result = NormalizeACL(
      {"ip access-list extended OBJ", "permit ip addrgroup xxx any", "deny ip any any"},
      {"object-group ip address xxx", "host-info 10.10.10.10"}, {}, answers);
  EXPECT_EQ(result.ListLines, Lines({"010 permit ip host 10.10.10.10 any", " 20 deny ip any any"}));
  EXPECT_EQ(result.Used.UsdObjText(),
            Lines({"object-group ip address xxx", " host-info 10.10.10.10"}));
  EXPECT_TRUE(ControlsAfter(result).Objects);
}

TEST(NormalizeWithObjects, MissingObjectEmptiesListAndRestoresHeader) {
  ScriptedAnswers answers;
  const NormalizeResult result = NormalizeACL(
      {"permit ip any any", "ip access-list extended OBJ", "permit ip addrgroup nope any"}, {}, {},
      answers);
  EXPECT_TRUE(result.ListLines.empty());
  EXPECT_EQ(result.Error, (ObjectError{ObjectProblem::AddressGroupNotFound, "nope", {}}));
  EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any", "ip access-list extended OBJ",
                                       "20 permit ip addrgroup nope any"}));
  EXPECT_EQ(ControlsAfter(result), (ListControls{.Name = true}));
}

TEST(NameCopy, RussianCommands) {
  // The window test clicks all three English ones.
  const auto russian = NameCopyCommands("WEB-IN", Language::Russian);
  EXPECT_EQ(russian[2].Text, "ip access-list extended WEB-IN");
  EXPECT_EQ(russian[2].Caption, "Скопировать \"ip access-list extended WEB-IN\"");
}

}  // namespace
}  // namespace kerbwise

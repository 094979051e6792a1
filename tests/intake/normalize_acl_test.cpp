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
  ScriptedAnswers answers;  // no question may be asked
  return Normalize(source, answers);
}

TEST(NormalizeAcl, DefaultPanesGiveNamedOneEntryListAndASecondRunFindsNoHeader) {
  const NormalizeResult result =
      NormalizeSilently({"ip access-list extended BlaBlaBla", "permit ip any any"});
  // Its name, caption and header are the normalize command's test.
  EXPECT_EQ(result.SourceLines, Lines({"10 permit ip any any"}));
  EXPECT_EQ(result.ListLines, Lines({" 10 permit ip any any"}));
  EXPECT_EQ(Enabled(result), "Name Reflect");  // one entry: nothing to analyse or sort

  const NormalizeResult second = NormalizeSilently(result.SourceLines.ToStrings());
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
  const std::string name33 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456";
  // The header, the list's name and the caption.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"ip access-list extended WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"Extended IP access list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"ip access-list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"IP access list WEB-IN", "WEB-IN", "Kerbwise: WEB-IN"},
      {"ip access-list standard S1", "S1", "Kerbwise: S1"},
      {"ip access-list extended " + name33, name33, "Kerbwise: " + name33.substr(0, 30) + ".."},
      {"ip access-list extended " + name33.substr(0, 32), name33.substr(0, 32),
       "Kerbwise: " + name33.substr(0, 32)},
  };
  for (const auto& [header, name, caption] : cases) {
    const NormalizeResult result = NormalizeSilently({header, "permit ip any any"});
    EXPECT_EQ(result.AclName, name) << header;
    EXPECT_EQ(ListCaption(result), caption) << header;
    EXPECT_EQ(ListCaption(ListCaptionName({header, "permit ip any any"})), caption) << header;
  }
}

TEST(NormalizeAcl, SeveralHeadersMakeSeveralListsAndOneIsChosen) {
  // The caption shown before the run is the one the run ends with: a prompt
  // line is no header, and counters are cut before the header is read.
  const Lines source{"ip access-list standard S",
                     "permit 10.0.0.1",
                     "ip access-list extended A",
                     "permit ip any any",
                     "ip access-list extended B (5 matches)",
                     "deny ip any any",
                     "R1#ip access-list extended C"};
  const NormalizeResult first = NormalizeSilently(source);
  EXPECT_EQ(ListCaption(ListCaptionName(source)), "Kerbwise: A");
  EXPECT_EQ(first.AclName, "A");
  EXPECT_EQ(first.ListLines, Lines({" 10 permit ip any any"}));
  EXPECT_EQ(first.Lists, (std::vector<FoundList>{{"S", ListKind::Standard, "", 1},
                                                 {"A", ListKind::Extended, "", 1},
                                                 {"B", ListKind::Extended, "", 1}}));
  // The other lists stay in the source.
  EXPECT_EQ(first.SourceLines, source);

  ScriptedAnswers answers;
  const NormalizeResult b = NormalizeACL(source, {}, {}, answers, {}, "B");
  EXPECT_EQ(ListCaption(ListCaptionName(source, "B")), "Kerbwise: B");
  EXPECT_EQ(b.ListLines, Lines({" 10 deny ip any any"}));
  const NormalizeResult s = NormalizeACL(source, {}, {}, answers, {}, "S");
  EXPECT_EQ(s.Kind, ListKind::Standard);
  EXPECT_EQ(s.ListLines, Lines({" 10 permit 10.0.0.1"}));
  EXPECT_TRUE(NormalizeACL(source, {}, {}, answers, {}, "C").ListNotFound);
}

TEST(NormalizeAcl, NumbersAlignedToTheLongestNumber) {
  const NormalizeResult result = NormalizeSilently(Lines(12, "permit ip any any"));
  ASSERT_EQ(result.SourceLines.size(), 12u);
  EXPECT_EQ(result.SourceLines[8], " 90 permit ip any any");
  EXPECT_EQ(result.SourceLines[11], "120 permit ip any any");
  for (std::size_t i = 0; i < 12; ++i)
    EXPECT_EQ(result.ListLines[i], " " + std::string(result.SourceLines[i]));
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
    ScriptedAnswers noThenYes({false, true});
    const NormalizeResult result = Normalize(source, noThenYes);
    ASSERT_EQ(noThenYes.asked.size(), 2u);
    EXPECT_EQ(noThenYes.asked[0].Text,
              "There is an unnumbered line in the numbered list:\r\rdeny ip any any\r\r"
              "Renumber the lines?");
    EXPECT_EQ(noThenYes.asked[1].Id, QuestionId::KeepNumbering);
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

}  // namespace
}  // namespace kerbwise

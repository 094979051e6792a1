// What the recognizer reports for malformed rule templates and for address
// elements written without a side.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rules/line_recognizer.h"

namespace kerbwise {
namespace {

struct Outcome {
  std::uint8_t status;
  std::string templateError;
  std::string parameterError;
  bool operator==(const Outcome&) const = default;
};

Outcome RecognizeWith(const std::vector<std::string>& templateLines, const std::string& line) {
  LineRecognizer recognizer(templateLines);
  const ExprPtr expr = recognizer.ExprCheck(line, CheckOptions{});
  // Neither kind of failure is remembered.
  if (!recognizer.TemplateError().empty() || !recognizer.ParameterError().empty()) {
    EXPECT_EQ(recognizer.CachedLineCount(), 0u) << line;
  }
  return {expr->Status, recognizer.TemplateError(), recognizer.ParameterError()};
}

struct ErrorCase {
  std::vector<std::string> templateLines;
  std::string line;
  std::string message;
};

TEST(TemplateErrors, ReportLinePositionAndCause) {
  const std::string wrongType = "the wrong type / option number before the \":\" sign at position ";
  const std::vector<ErrorCase> cases = {
      // Empty lines count; positions count in the trimmed line. The fourth
      // line would recognise the input but is never tried.
      {{"1", "", "\t [permit,deny]] ", "remark"},
       "remark",
       "At the 3 line of the template, an extra closing bracket at position 14"},
      {{"permit)"},
       "permit",
       "At the 1 line of the template, an extra closing bracket at position 7"},
      {{"[permit,deny)"},
       "permit",
       "At the 1 line of the template, an invalid closing bracket at position 13"},
      {{"[permit,deny] (log]"},
       "permit log",
       "At the 1 line of the template, an invalid closing bracket at position 19"},
      {{"[permit,deny] abc:ip"}, "permit ip", "At the 1 line of the template, " + wrongType + "18"},
      {{"[permit,deny] 1000:ip"},
       "permit ip",
       "At the 1 line of the template, " + wrongType + "19"},
      {{":ip"}, "ip", "At the 1 line of the template, " + wrongType + "1"},
      // A blank between the number and the colon leaves nothing before it.
      {{"[permit,deny] 0 :[tcp,6]"},
       "permit 0 tcp",
       "At the 1 line of the template, " + wrongType + "17"},
      {{"[permit,deny] 32:ip"},
       "permit ip",
       "At the 1 line of the template, the option number before the \":\" sign at position 17 is "
       "out of range 0..31"},
      {{"[permit,deny] 999:ip"},
       "permit ip",
       "At the 1 line of the template, the option number before the \":\" sign at position 18 is "
       "out of range 0..31"},
      {{"[permit,deny] -1:ip"},
       "permit ip",
       "At the 1 line of the template, the option number before the \":\" sign at position 17 is "
       "out of range 0..31"},
      {{"remark x", "[permit,deny] 5:ip 5:tcp"},
       "permit ip tcp",
       "At the 2 line of the template, the option number 5 before the \":\" sign at position 21 is "
       "repeated"},
      {{"[permit,deny] 5:ip 105:tcp"},
       "permit ip tcp",
       "At the 1 line of the template, the option number 105 before the \":\" sign at position 23 "
       "is repeated"},
  };
  for (const ErrorCase& c : cases) {
    const Outcome outcome = RecognizeWith(c.templateLines, c.line);
    EXPECT_EQ(outcome.status, StatusTemplateError) << c.message;
    EXPECT_EQ(outcome.templateError, c.message);
    EXPECT_EQ(outcome.parameterError, "") << c.message;
  }
}

TEST(TemplateErrors, OnlyThePartOfALineThatIsReadCounts) {
  const std::vector<std::string> lines{"[permit,deny] ip ]", "remark"};
  EXPECT_EQ(RecognizeWith(lines, "deny tcp").status, StatusUnrecognised);
  EXPECT_EQ(RecognizeWith(lines, "remark").status, StatusRemark);
  EXPECT_EQ(RecognizeWith(lines, "permit ip").templateError,
            "At the 1 line of the template, an extra closing bracket at position 18");
  // An unclosed bracket is not reported.
  const Outcome unclosed = RecognizeWith({"[permit,deny] 6:(log"}, "permit log");
  EXPECT_EQ(unclosed.status, StatusPermit);
  EXPECT_EQ(unclosed.templateError, "");
  // One slot on both sides is no repetition.
  EXPECT_EQ(RecognizeWith({"[permit,deny] src:1:(7) dst:1:(8)"}, "permit 7 8").status,
            StatusPermit);
}

TEST(TemplateErrors, MessagesSpeakOfTheLastCallOnly) {
  LineRecognizer recognizer({"[permit,deny] ip ]", "[permit,deny] any", "remark"});
  const CheckOptions options;
  recognizer.ExprCheck("permit ip", options);
  EXPECT_NE(recognizer.TemplateError(), "");
  recognizer.ExprCheck("remark", options);
  EXPECT_EQ(recognizer.TemplateError(), "");
  CheckOptions russian;
  russian.Russian = true;  // these texts exist in English only
  recognizer.ExprCheck("deny any", russian);
  EXPECT_EQ(recognizer.ParameterError(), "\"any\" parameter error");
  recognizer.ExprCheck("", options);
  EXPECT_EQ(recognizer.ParameterError(), "");
}

TEST(ParameterErrors, StopRecognitionAndKeepTheStatus) {
  struct Case {
    std::vector<std::string> templateLines;
    std::string line;
    std::string message;
    std::uint8_t status;
  };
  const std::vector<Case> cases = {
      {{"[permit,deny] any"}, "permit any", "\"any\" parameter error", StatusPermit},
      {{"[permit,deny] host addr"},
       "deny host 1.2.3.4",
       "\"host address\" parameter error",
       StatusDeny},
      {{"[permit,deny] addr"}, "permit 1.2.3.4", "\"address\" parameter error", StatusPermit},
      // The side of "src:" ends with its item.
      {{"[permit,deny] src:addr mask"},
       "deny 1.2.3.4 0.0.0.255",
       "\"mask\" parameter error",
       StatusDeny},
      {{"[permit,deny] cidr"},
       "permit 1.2.3.4/8",
       "\"address/mask\" parameter error",
       StatusPermit},
      {{"any"}, "any", "\"any\" parameter error", StatusTemplateError},
      // The status read by an earlier template line stands.
      {{"[permit,deny] tcp", "7:str256 addr"},
       "permit 1.2.3.4",
       "\"address\" parameter error",
       StatusPermit},
  };
  for (const Case& c : cases) {
    for (int call = 0; call < 2; ++call) {  // not remembered: the same again
      const Outcome outcome = RecognizeWith(c.templateLines, c.line);
      EXPECT_EQ(outcome.parameterError, c.message) << c.line;
      EXPECT_EQ(outcome.status, c.status) << c.line;
      EXPECT_EQ(outcome.templateError, "") << c.line;
    }
  }
}

TEST(Remark, TakesTheRestOfTheInputAndEndsTheTemplateLine) {
  EXPECT_EQ(RecognizeWith({"remark [permit,deny] any"}, "remark permit").status, StatusRemark);
  EXPECT_EQ(RecognizeWith({"[permit,deny] remark"}, "deny remark x y").status, StatusRemark);
}

TEST(FreeOrderItems, EndlessJumpingFailsTheTemplateLine) {
  // Slot 3 appears twice in one free-order set; once it is done, reaching its
  // second item jumps back to the end of the first, for ever.
  const std::string looping =
      "[permit,deny] src:203:(log) dst:204:(log-input) dst:203:(established)";
  EXPECT_EQ(RecognizeWith({looping}, "permit"), (Outcome{StatusUnrecognised, "", ""}));
  EXPECT_EQ(RecognizeWith({looping, "[permit,deny]"}, "deny").status, StatusDeny);
}

}  // namespace
}  // namespace kerbwise

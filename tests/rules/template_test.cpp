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
  std::string templateError, parameterError;
  bool operator==(const Outcome&) const = default;
};

Outcome RecognizeWith(const std::vector<std::string>& templateLines, const std::string& line) {
  LineRecognizer recognizer(templateLines);
  const RecordPtr expr = recognizer.Recognize(line, CheckOptions{});
  // Neither kind of failure is remembered.
  if (!recognizer.TemplateError().empty() || !recognizer.ParameterError().empty()) {
    EXPECT_EQ(recognizer.CachedLineCount(), 0u) << line;
  }
  return {expr->Status, recognizer.TemplateError(), recognizer.ParameterError()};
}

TEST(TemplateErrors, ReportLinePositionAndCause) {
  const std::string at = "At the 1 line of the template, ";
  const std::string wrongType = at + "the wrong type / option number before the \":\" sign at ";
  const std::string option = at + "the option number ";
  const std::string outOfRange =
      option + "before the \":\" sign at position 17 is out of range 0..31";
  struct Case {
    std::string templateLine, line, message;
  };
  const Case cases[] = {
      {"[permit,deny] (log]", "permit log", at + "an invalid closing bracket at position 19"},
      {"[permit,deny] abc:ip", "permit ip", wrongType + "position 18"},
      // A blank between the number and the colon leaves nothing before it.
      {"[permit,deny] 0 :[tcp,6]", "permit 0 tcp", wrongType + "position 17"},
      {"[permit,deny] 32:ip", "permit ip", outOfRange},
      {"[permit,deny] -1:ip", "permit ip", outOfRange},
      {"[permit,deny] 5:ip 105:tcp", "permit ip tcp",
       option + "105 before the \":\" sign at position 23 is repeated"},
      // Groups passed over once the input is used up are still read for errors.
      {"[permit,deny] 5:(ip) 105:(tcp)", "permit",
       option + "105 before the \":\" sign at position 25 is repeated"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecognizeWith({c.templateLine}, c.line),
              (Outcome{StatusTemplateError, c.message, ""}));
  }
  // Empty lines count; positions count in the trimmed line. The fourth line
  // would recognise the input but is never tried.
  EXPECT_EQ(RecognizeWith({"1", "", "\t [permit,deny]] ", "remark"}, "remark").templateError,
            "At the 3 line of the template, an extra closing bracket at position 14");
}

TEST(TemplateErrors, OnlyThePartOfALineThatIsReadCountsAndOnlyForTheLastCall) {
  LineRecognizer recognizer({"[permit,deny] ip ]", "remark"});
  const CheckOptions options;
  EXPECT_EQ(recognizer.Recognize("deny tcp", options)->Status, StatusUnrecognised);
  EXPECT_EQ(recognizer.Recognize("permit ip", options)->Status, StatusTemplateError);
  EXPECT_EQ(recognizer.TemplateError(),
            "At the 1 line of the template, an extra closing bracket at position 18");
  EXPECT_EQ(recognizer.Recognize("remark", options)->Status, StatusRemark);
  EXPECT_EQ(recognizer.TemplateError(), "");
  // An unclosed bracket is not reported.
  EXPECT_EQ(RecognizeWith({"[permit,deny] 6:(log"}, "permit log"), (Outcome{StatusPermit, "", ""}));
  // One slot on both sides is no repetition.
  EXPECT_EQ(RecognizeWith({"[permit,deny] src:1:(7) dst:1:(8)"}, "permit 7 8").status,
            StatusPermit);
}

TEST(ParameterErrors, StopRecognitionAndKeepTheStatus) {
  struct Case {
    std::vector<std::string> templateLines;
    std::string line, what;
    std::uint8_t status;
  };
  const std::vector<Case> cases = {
      {{"[permit,deny] any"}, "permit any", "any", StatusPermit},
      {{"[permit,deny] host addr"}, "deny host 1.2.3.4", "host address", StatusDeny},
      // The side of "src:" ends with its item.
      {{"[permit,deny] src:addr mask"}, "deny 1.2.3.4 0.0.0.255", "mask", StatusDeny},
      {{"[permit,deny] cidr"}, "permit 1.2.3.4/8", "address/mask", StatusPermit},
      {{"any"}, "any", "any", StatusTemplateError},
      // The status read by an earlier template line stands.
      {{"[permit,deny] tcp", "7:str256 addr"}, "permit 1.2.3.4", "address", StatusPermit},
  };
  for (const Case& c : cases) {
    const Outcome expected{c.status, "", "\"" + c.what + "\" parameter error"};
    EXPECT_EQ(RecognizeWith(c.templateLines, c.line), expected) << c.line;
  }
  // These texts exist in English only, and speak of the last call only.
  LineRecognizer recognizer({"[permit,deny] any"});
  CheckOptions russian;
  russian.TextLanguage = Language::Russian;
  recognizer.Recognize("deny any", russian);
  EXPECT_EQ(recognizer.ParameterError(), "\"any\" parameter error");
  recognizer.Recognize("deny any", russian);  // not remembered: the same again
  EXPECT_EQ(recognizer.ParameterError(), "\"any\" parameter error");
  recognizer.Recognize("", russian);
  EXPECT_EQ(recognizer.ParameterError(), "");
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

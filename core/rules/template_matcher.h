#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"
#include "rules/compare_element.h"
#include "rules/texpr.h"

namespace kerbwise {

enum class TemplateLineOutcome {
  Matched,         // the template line consumed the whole input
  Failed,          // try the next template line
  TemplateError,   // the template line is malformed; `message` says where
  ParameterError,  // an address element matched with no side in force
};

struct TemplateLineResult {
  TemplateLineOutcome outcome = TemplateLineOutcome::Failed;
  std::string message;
};

// A template line read ahead of time: the trimmed text followed by one blank;
// for every position the end of the run of plain element characters that
// starts there, so that a word can be taken or passed over in one step; and
// at the start of each run what the word stands for and the number it reads
// as (1000 when it is no number, which is never a valid option number).
struct PreparedTemplateLine {
  PreparedTemplateLine(std::string_view trimmedLine, int lineNumber);

  std::string text;
  int number;  // 1-based, empty lines counted
  std::vector<std::size_t> runEnd;
  std::vector<ElementType> runType;
  std::vector<std::int32_t> runNumber;
};

// Interprets one template line against the words of `input`, which is the
// line followed by two blanks, and fills `record` with what matched.
// `record.Values` is cleared first; its status and address fields are not, so
// they carry over between the template lines of one recognition.
TemplateLineResult MatchTemplateLine(const PreparedTemplateLine& templateLine,
                                     std::string_view input, MaskForm maskType, TExpr& record);

}  // namespace kerbwise

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

// A template line read ahead of time, so that interpreting it can take whole
// words and pass over whole alternatives in one step.
struct PreparedTemplateLine {
  PreparedTemplateLine(std::string_view trimmedLine, int lineNumber);

  std::string text;  // the trimmed line followed by one blank
  int number;        // 1-based, empty lines counted
  // For every position: the end of the run of plain element characters that
  // starts there; at the start of a run, what the word stands for and the
  // number it reads as (1000 when none, never a valid option number).
  std::vector<std::size_t> runEnd;
  std::vector<ElementType> runType;
  std::vector<std::int32_t> runNumber;
  // For every position: the next "," or closing bracket at the same depth,
  // when nothing on the way but words, blanks, commas and well-formed "[...]"
  // groups could change the state of a reader that is passing text over;
  // npos otherwise.
  std::vector<std::size_t> passOverEnd;
};

// Interprets one template line against the words of `input`, which is the
// line followed by two blanks, and fills `record` with what matched.
// `record.Values` is cleared first; its status and address fields are not, so
// they carry over between the template lines of one recognition.
TemplateLineResult MatchTemplateLine(const PreparedTemplateLine& templateLine,
                                     std::string_view input, MaskForm maskType, TExpr& record);

}  // namespace kerbwise

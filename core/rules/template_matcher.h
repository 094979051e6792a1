#pragma once

#include <string>
#include <string_view>

#include "rules/check_options.h"
#include "rules/prepared_template_line.h"
#include "rules/rule_record.h"

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

// Interprets one template line against the words of `input`, which is the
// line followed by two blanks, and fills `record` with what matched.
// `record.Values` is cleared first; its status and address fields are not, so
// they carry over between the template lines of one recognition.
TemplateLineResult MatchTemplateLine(const PreparedTemplateLine& templateLine,
                                     std::string_view input, MaskForm maskType, RuleRecord& record);

}  // namespace kerbwise

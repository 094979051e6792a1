#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "check/check_condition.h"
#include "output.h"
#include "text/language.h"

namespace kerbwise::cli {

// The text report of one check, for a person to read: the condition, the
// verdict as the result line states it, the entry that decides it, the other
// matching entries with their kinds and messages, and the line the check
// stopped at. Every row gives the list index and the entry's own number.
void WriteCheckReport(std::ostream& out, const CheckResult& result,
                      const std::vector<std::string>& listLines, Language language);

// The check as JSON: the result line, number pane and markers as the main
// window shows them, and the typed result (outcome, matches, stopped_at).
Json CheckResultJson(const CheckResult& result, const std::vector<std::string>& listLines,
                     Language language);

}  // namespace kerbwise::cli

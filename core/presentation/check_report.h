#pragma once

#include <string>
#include <vector>

#include "check/check_condition.h"
#include "text/language.h"

namespace kerbwise {

// A check as a report a person reads, one row per line under a label in the
// first column: the condition, the verdict as the result line states it, the
// entry that decides it, the other matching entries with their kind (and, for
// a partial match, how it matches), and the line the check stopped at and
// why. Rows name a line by its list index and its entry number. `listLines`
// is the list the check was made over.
std::vector<std::string> CheckReportLines(const CheckResult& result, const LineList& listLines,
                                          Language language);

}  // namespace kerbwise

#pragma once

#include <string>
#include <vector>

#include "check/check_condition.h"
#include "text/language.h"

namespace kerbwise {

// The matching lines of a check, remarks left out, in list order: the marker
// character, one blank and the list line the match names, unchanged. What
// Copy result puts on the clipboard and Show result lists.
std::vector<std::string> ResultListing(const CheckResult& result,
                                       const std::vector<std::string>& listLines);

// The legend under a shown result: an empty line, a rule of hyphens, then one
// line for each marker character that occurs, in the order + - ? ^ .
std::vector<std::string> ResultLegend(const CheckResult& result, Language language);

}  // namespace kerbwise

#pragma once

#include <string>
#include <vector>

#include "check/check_condition.h"
#include "output.h"
#include "text/language.h"

namespace kerbwise::cli {

// The check as JSON: the result line, number pane and markers as the main
// window shows them, and the typed result (outcome, matches, stopped_at).
Json CheckResultJson(const CheckResult& result, const LineList& listLines, Language language);

}  // namespace kerbwise::cli

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"
#include "rules/line_list.h"
#include "rules/line_recognizer.h"

namespace kerbwise {

// The reflected list: for every line of the normalised list (each line
// starting with its entry number), the rule that matches the return traffic
// of what the line matches. Source and destination swap places together with
// their port conditions, ICMP requests become the matching replies and
// replies requests (a message without an answer, or one the table does not
// know, is left out, so the rule covers every message between the two
// parties), "established" is dropped, and the remaining options follow
// unchanged. Masks are written as MaskType says.
//
// Lines that are not rules come out marked, in the language of the options:
// "-template error: " or "-not recognized: " followed by the entry text, and
// a bare "-remark " for a remark. The output therefore has exactly one line
// per list line, in the same order; an empty list gives no lines.
//
// Reads MaskType and TextLanguage from the options. Recognised lines stay in the
// recognizer's cache; emptying it is the caller's business.
std::vector<std::string> ReflectACL(const LineList& listLines, const CheckOptions& options,
                                    LineRecognizer& recognizer);

// The output line of one list line, for writing a long list as it goes.
std::string ReflectListLine(std::string_view line, const CheckOptions& options,
                            LineRecognizer& recognizer);

// The same with a recognizer of its own.
std::vector<std::string> ReflectACL(const LineList& listLines, const CheckOptions& options);

}  // namespace kerbwise

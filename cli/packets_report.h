#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "output.h"

// What the reports of shadowed and redundant entries share: how they name an
// entry of the list.
namespace kerbwise::cli {

// The list line as reports quote it: outer blanks removed, made safe for one
// line of text.
std::string ListedText(const std::string& line);

// "3: 30 deny tcp any any": the 1-based list index, zero-padded to the width
// of the line count as the analysis writes it, and the list line.
std::string IndexedLine(std::size_t index, const std::vector<std::string>& lines);

// {"entry": 1-based index, "sequence": its number or null, "text": the line,
// "action": "permit" or "deny"}.
Json EntryJson(std::size_t index, const std::vector<std::string>& lines);

}  // namespace kerbwise::cli

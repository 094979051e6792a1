#pragma once

#include <cstddef>
#include <iosfwd>
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

// Writes the error that ended a run to `err`: "kerbwise-cli: " and the
// message, a line break inside it (CR LF, as the check's messages hold) kept
// as a line break.
void WriteRunError(std::ostream& err, const std::string& message);

}  // namespace kerbwise::cli

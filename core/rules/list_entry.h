#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kerbwise {

// A line of the normalised list, read the one way every consumer reads it:
// outer blanks removed, then the first word is the entry number when it reads
// as a whole number of 0 or more, and the rest is the entry.
struct ListLineParts {
  std::optional<std::int32_t> Number;
  std::string_view Entry;  // without the blanks that followed the number
};

ListLineParts SplitListLine(std::string_view line);

// The entry of a list line as the recognizer reads it: the entry of
// SplitListLine with runs of blanks collapsed. "10   permit ip any any" and
// "10 permit ip any any" give the same text.
std::string ListEntryText(std::string_view line);

}  // namespace kerbwise

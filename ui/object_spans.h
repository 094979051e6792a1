#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kerbwise::ui {

// A stretch of the text pane in the pane's own positions (UTF-16 units, one
// unit per line break).
struct PaneSpan {
  int Start = 0;
  int End = 0;
};

// The used-object records count their positions in bytes of the UTF-8 text
// with every line followed by CR LF; the pane holds the same lines joined by
// single line breaks. Maps the byte span [start, end) of `lines` onto the
// pane: an offset inside a line break lands at the end of its line, one inside
// a character at that character's start, and offsets outside the text are
// held to its bounds, so that any record, however odd, gives a valid span.
PaneSpan ToPaneSpan(const std::vector<std::string>& lines, std::int64_t start, std::int64_t end);

}  // namespace kerbwise::ui

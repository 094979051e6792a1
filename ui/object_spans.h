#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QTextDocument;

namespace kerbwise::ui {

// A stretch of a text pane in the pane's own positions.
struct PaneSpan {
  int Start = 0;
  int End = 0;
};

// The used-object records count their positions in bytes of the UTF-8 text
// with every line followed by CR LF; `document` holds the same lines, one
// block each. Maps the byte span [start, end) of `lines` onto the document:
// each offset becomes a line and the bytes before it in that line, and the
// document places that line. An offset inside a line break lands at the end
// of its line, one inside a character at that character's start, and offsets
// outside the text are held to its bounds, so that any record, however odd,
// gives a valid span.
PaneSpan ToPaneSpan(const QTextDocument& document, const std::vector<std::string>& lines,
                    std::int64_t start, std::int64_t end);

}  // namespace kerbwise::ui

#pragma once

#include <cstddef>
#include <string_view>

namespace kerbwise {

// Offsets in the report and related panes count what a text pane counts: one
// per UTF-16 code unit of the text read as UTF-8 (a byte that is no valid
// UTF-8 counts one), and one per line break.
std::size_t PaneLength(std::string_view text);

}  // namespace kerbwise

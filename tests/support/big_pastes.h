#pragma once

// Very large pastes, generated when needed: the hostile-input tests and the
// memory benchmark feed them to the command line.

#include <cstddef>
#include <string>

namespace kerbwise::testing {

// Router `show` output of at least `bytes` bytes: a header, numbered entries
// with match counters, and a final deny.
std::string ShowOutput(std::size_t bytes);

// `count` unnumbered entries, the last one a deny.
std::string Unnumbered(int count);

}  // namespace kerbwise::testing

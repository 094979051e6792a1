#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kerbwise {

// The one integer reader of the rule language: optional leading blanks, an
// optional "+" or "-", then decimal digits; a "$", "x", "X" or "0x" prefix
// switches to hexadecimal digits (up to 32 bits, read as two's complement).
// Anything else, including trailing characters and values that do not fit
// a signed 32-bit integer, is not a number.
std::optional<std::int32_t> ReadInteger(std::string_view text);

// The integer in `text`, or `fallback` when the text is not a number.
std::int32_t ReadIntDefault(std::string_view text, std::int32_t fallback);

// For text already known to be a number; yields 0 for anything else rather
// than failing.
std::int32_t ReadIntStrict(std::string_view text);

}  // namespace kerbwise

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"

namespace kerbwise {

// Reads a dotted quad: four octets of one to three characters, each read by
// the integer reader and within 0..255. Nothing may follow the fourth octet.
std::optional<std::uint32_t> IPToVal(std::string_view text);

// Writes a 32-bit address as a.b.c.d.
std::string ValToIP(std::uint32_t value);

// The two fixes offered for an address with bits outside its mask (both in
// netmask form): the address cut to its mask, and the mask widened to the
// address as written, complemented for the user when masks are wildcards.
std::uint32_t CorrectAddr(std::uint32_t address, std::uint32_t mask);
std::uint32_t CorrectMask(std::uint32_t address, std::uint32_t mask, MaskForm maskType);

// Shortens every run of blanks (code 32 only) to one blank.
std::string SpaceCompress(std::string_view text);

// ASCII lower and upper case; other bytes are kept as they are.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Removes characters with codes up to 32 from both ends.
std::string_view TrimControls(std::string_view text);

// How many decimal digits `value` has (1 for 0).
std::size_t DecimalDigits(std::size_t value);

// `index` in decimal, zero-padded on the left to `width` digits: the line
// indexes of the number pane, padded to the width of the line count.
std::string PaddedIndex(std::size_t index, std::size_t width);

// The lines of a pasted text: split at LF, CR LF or a lone CR, and nowhere
// else (a Unicode line or paragraph separator stays inside its line). A
// final line without a line end counts; nothing follows a final line end.
// The command line reads its inputs and the desktop its panes by this rule.
std::vector<std::string> SplitLines(std::string_view text);

// The lines of a text whose lines are separated by CR LF, as the messages of
// a check or an analysis are; a text without CR LF is one line.
std::vector<std::string> SplitAtLineBreaks(std::string_view text);

}  // namespace kerbwise

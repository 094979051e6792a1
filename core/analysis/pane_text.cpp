#include "analysis/pane_text.h"

#include <cstdint>

namespace kerbwise {
namespace {

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not a
// valid one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(at);
  std::size_t length = 0;
  std::uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (byte(at + k) & 0x3Fu);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (overlong || surrogate || value > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::size_t PaneLength(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<std::uint8_t>(text[at]) < 0x80) {
      ++units;
      ++at;
      continue;
    }
    const std::size_t length = SequenceLength(text, at);
    if (length == 0) {
      ++units;
      ++at;
    } else {
      units += length == 4 ? 2 : 1;  // past U+FFFF a surrogate pair
      at += length;
    }
  }
  return units;
}

}  // namespace kerbwise

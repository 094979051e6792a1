#include "rules/integer_reader.h"

#include <cstdint>

namespace kerbwise {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ReadInteger(std::string_view text) {
  // Short plain decimals are by far the most common text: read them directly.
  if (!text.empty() && text.size() <= 9) {
    std::int32_t value = 0;
    bool plain = true;
    for (char c : text) {
      if (c < '0' || c > '9') {
        plain = false;
        break;
      }
      value = value * 10 + (c - '0');
    }
    if (plain) return value;
  }

  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && text[i + 1] == 'x') {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;

  // Accumulate in 64 bits and stop as soon as the value leaves the 32-bit
  // range, so arbitrarily long digit strings cannot overflow.
  std::uint64_t value = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  for (; i < text.size(); ++i) {
    const int digit =
        hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  // Hexadecimal text covers all 32 bits and wraps to a negative value.
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

std::int32_t ReadIntDefault(std::string_view text, std::int32_t fallback) {
  return ReadInteger(text).value_or(fallback);
}

std::int32_t ReadIntStrict(std::string_view text) { return ReadInteger(text).value_or(0); }

}  // namespace kerbwise

#include "rules/packet_fields.h"

#include <array>

#include "rules/integer_reader.h"

namespace kerbwise {
namespace {

// The number after `keyword` and a blank, within 0..max.
std::optional<unsigned> NumberAfter(std::string_view text, std::string_view keyword, int max) {
  if (!text.starts_with(keyword) || text.size() <= keyword.size() + 1 ||
      text[keyword.size()] != ' ') {
    return std::nullopt;
  }
  const std::string_view digits = text.substr(keyword.size() + 1);
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  const std::optional<std::int32_t> value = ReadInteger(digits);
  if (!value || *value < 0 || *value > max) return std::nullopt;
  return static_cast<unsigned>(*value);
}

std::optional<ByteMatch> FieldMatch(std::string_view text, std::string_view keyword, int max,
                                    unsigned shift, std::uint8_t mask) {
  const std::optional<unsigned> value = NumberAfter(text, keyword, max);
  if (!value) return std::nullopt;
  return ByteMatch{.Mask = mask, .Value = static_cast<std::uint8_t>(*value << shift)};
}

// The combinations (bit c = flag byte c) in which `flag` is set.
constexpr std::uint64_t WithFlag(unsigned flag) {
  std::uint64_t set = 0;
  for (unsigned combination = 0; combination < 64; ++combination) {
    if ((combination & flag) != 0) set |= 1ull << combination;
  }
  return set;
}

std::optional<unsigned> FlagBit(std::string_view word) {
  static constexpr std::array<std::pair<std::string_view, unsigned>, 6> kFlags{{
      {"fin", kTcpFin},
      {"syn", kTcpSyn},
      {"rst", kTcpRst},
      {"psh", kTcpPsh},
      {"ack", kTcpAck},
      {"urg", kTcpUrg},
  }};
  for (const auto& [name, bit] : kFlags) {
    if (name == word) return bit;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ByteMatch> PrecedenceMatch(std::string_view text) {
  return FieldMatch(text, "precedence", 7, 5, 0xE0);
}

std::optional<ByteMatch> DscpMatch(std::string_view text) {
  return FieldMatch(text, "dscp", 63, 2, 0xFC);
}

std::optional<ByteMatch> TosMatch(std::string_view text) {
  return FieldMatch(text, "tos", 15, 1, 0x1E);
}

std::optional<ByteMatch> BothMatch(ByteMatch a, ByteMatch b) {
  if (!ByteMatchesMeet(a, b)) return std::nullopt;
  return ByteMatch{.Mask = static_cast<std::uint8_t>(a.Mask | b.Mask),
                   .Value = static_cast<std::uint8_t>(a.Value | b.Value)};
}

std::uint64_t EstablishedFlags() { return WithFlag(kTcpAck) | WithFlag(kTcpRst); }

std::optional<std::uint64_t> TcpFlagCombinations(std::string_view text) {
  enum class Mode { Plain, All, Any } mode = Mode::Plain;
  std::uint64_t all = kAnyTcpFlags, any = 0;
  bool first = true;
  int flags = 0;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    if (first && (word == "match-all" || word == "match-any")) {
      mode = word == "match-all" ? Mode::All : Mode::Any;
      first = false;
      continue;
    }
    first = false;
    const bool signed_ = !word.empty() && (word[0] == '+' || word[0] == '-');
    if (signed_ == (mode == Mode::Plain)) return std::nullopt;
    const std::optional<unsigned> flag = FlagBit(signed_ ? word.substr(1) : word);
    if (!flag) return std::nullopt;
    const std::uint64_t holds = !signed_ || word[0] == '+' ? WithFlag(*flag) : ~WithFlag(*flag);
    ++flags;
    all &= holds;
    any |= holds;
  }
  if (flags == 0) return std::nullopt;
  return mode == Mode::Any ? any : all;
}

}  // namespace kerbwise

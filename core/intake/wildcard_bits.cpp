#include "intake/wildcard_bits.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "rules/primitives.h"

namespace kerbwise {
namespace {

constexpr std::string_view kBlanks = " \t";

// Skips the blanks at `at`, then `word` and the blanks after it; npos when
// the word is not there.
std::size_t SkipWord(std::string_view text, std::size_t at, std::string_view word) {
  at = text.find_first_not_of(kBlanks, at);
  if (at == std::string_view::npos || text.substr(at, word.size()) != word) {
    return std::string_view::npos;
  }
  at += word.size();
  const std::size_t next = text.find_first_not_of(kBlanks, at);
  return next == at ? std::string_view::npos : next;  // the word must end at a blank
}

// The mask of ", wildcard bits MASK" behind the address that ends at `comma`.
struct ShowMask {
  std::uint32_t Wildcard;
  std::size_t End;  // just past the mask
};

std::optional<ShowMask> ReadShowMask(std::string_view entry, std::size_t comma) {
  const std::size_t addressStart = entry.find_last_of(kBlanks, comma) + 1;  // npos + 1 is 0
  if (!IPToVal(entry.substr(addressStart, comma - addressStart))) return std::nullopt;
  std::size_t at = SkipWord(entry, comma + 1, "wildcard");
  if (at == std::string_view::npos) return std::nullopt;
  at = SkipWord(entry, at, "bits");
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t end = std::min(entry.find_first_of(kBlanks, at), entry.size());
  const std::optional<std::uint32_t> mask = IPToVal(entry.substr(at, end - at));
  if (!mask) return std::nullopt;
  return ShowMask{*mask, end};
}

}  // namespace

std::string WithConfigurationMasks(std::string_view entry, MaskForm maskType) {
  std::string written;
  std::size_t copied = 0;
  for (std::size_t comma = entry.find(','); comma != std::string_view::npos;
       comma = entry.find(',', comma + 1)) {
    const std::optional<ShowMask> mask = ReadShowMask(entry, comma);
    if (!mask) continue;
    written.append(entry.substr(copied, comma - copied));
    written += ' ';
    written += ValToIP(maskType == MaskForm::Wildcard ? mask->Wildcard : ~mask->Wildcard);
    copied = mask->End;
  }
  written.append(entry.substr(copied));
  return written;
}

}  // namespace kerbwise

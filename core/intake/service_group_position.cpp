#include "intake/service_group_position.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "rules/protocols.h"

namespace kerbwise {

namespace {

std::string Lower(std::string_view word) {
  std::string lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Words that may stand where the protocol stands and are no service group.
bool IsProtocolPositionWord(std::string_view word) {
  const std::string lower = Lower(word);
  if (lower == kAnyProtocol || ProtocolByName(lower)) return true;
  // Protocols the router names beyond the ones above, and the words that
  // open other references or an address.
  static constexpr std::array<std::string_view, 12> kOtherWords = {
      "ahp",  "igmp",         "igrp",      "pim",       "nos", "pcp",
      "sctp", "object-group", "addrgroup", "portgroup", "any", "host"};
  if (std::find(kOtherWords.begin(), kOtherWords.end(), lower) != kOtherWords.end()) return true;
  if (std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); })) {
    return true;  // a protocol number, whatever its value
  }
  // An address, with or without a prefix length or a trailing comma.
  return IPToVal(word.substr(0, word.find_first_of("/,"))).has_value();
}

}  // namespace

std::optional<ProtocolPositionWord> FindProtocolPositionWord(std::string_view line) {
  const std::string_view entry = SplitListLine(line).Entry;
  const std::size_t actionEnd = entry.find(' ');
  if (actionEnd == std::string_view::npos) return std::nullopt;
  const std::string_view action = entry.substr(0, actionEnd);
  if (action != "permit" && action != "deny") return std::nullopt;
  const std::size_t wordStart = entry.find_first_not_of(' ', actionEnd);
  if (wordStart == std::string_view::npos) return std::nullopt;
  const std::size_t wordEnd = entry.find(' ', wordStart);
  // A group needs the addresses after it.
  if (wordEnd == std::string_view::npos) return std::nullopt;
  const std::string_view word = entry.substr(wordStart, wordEnd - wordStart);
  if (IsProtocolPositionWord(word)) return std::nullopt;
  const std::size_t at = static_cast<std::size_t>(entry.data() - line.data()) + wordStart;
  std::string rewritten(line);
  rewritten.insert(at, "object-group ");
  const bool keyword = std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
  return ProtocolPositionWord{std::string(word), std::move(rewritten), keyword};
}

}  // namespace kerbwise

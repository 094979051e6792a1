#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kerbwise {

// An entry whose protocol position holds a word that may name a service group.
struct ProtocolPositionWord {
  std::string Word;
  std::string WithKeyword;  // the entry with "object-group " before the word
  // The word reads like a keyword (lower-case letters, digits and "-"): when no
  // service group of that name is defined, it is more likely a protocol the
  // rule language does not know, and its entry is left for the recognizer
  // to report.
  bool LooksLikeKeyword = false;
};

// Show output prints a service group in the protocol position without its
// keyword ("permit WEB any host 10.1.1.1"). Finds such a word in an entry
// (trimmed, with or without its number); nullopt when the word after the
// action is a protocol name, a number, an address or a reference keyword.
std::optional<ProtocolPositionWord> FindProtocolPositionWord(std::string_view line);

}  // namespace kerbwise

#pragma once

#include <string>
#include <string_view>

namespace kerbwise {

// What a word of the rule template stands for.
enum class ElementType {
  Keyword,        // one of the 25 keywords: matches the same word in any letter case
  Addr,           // dotted address
  Mask,           // dotted mask
  Cidr,           // address/prefix length
  TcpPort,        // "tp": TCP port name or number
  UdpPort,        // "up": UDP port name or number
  Byte,           // "byte": 0..255
  Str256,         // "str256": a name kept as typed
  IcmpMessage,    // "imsg": ICMP message name or type
  Precedence,     // "prcdn": precedence name or digit
  NumberLiteral,  // anything else: matches only the same number (a word that is no number never
                  // matches)
};

ElementType ClassifyElement(std::string_view element);

// Whether `token` matches a template element of the given type; on a match
// `value` receives the canonical value text (empty for keywords).
bool MatchElement(ElementType type, std::string_view element, std::string_view token,
                  std::string& value);

// The outcome of comparing one template element with one input word: `kind`
// is empty when they do not match, otherwise the element itself or "val" for
// a number literal.
struct ElementMatch {
  std::string kind;
  std::string value;
};

ElementMatch CompareElement(std::string_view element, std::string_view token);

}  // namespace kerbwise

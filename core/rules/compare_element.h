#pragma once

#include <string>
#include <string_view>

namespace kerbwise {

// What a word of the rule template stands for.
enum class ElementType {
  Keyword,         // one of the keywords: matches the same word in any letter case
  Addr,            // dotted address
  Mask,            // dotted mask
  Cidr,            // address/prefix length
  TcpPort,         // "tp": TCP port name or number
  UdpPort,         // "up": UDP port name or number
  Byte,            // "byte": 0..255
  Str256,          // "str256": a name kept as typed
  IcmpMessage,     // "imsg": ICMP message name or type
  Precedence,      // "prcdn": precedence name or digit
  HostAddr,        // "haddr": an address standing alone, which stands for that one host
  CommaAddr,       // "caddr": an address followed by a comma ("10.0.0.0,")
  Wildcard,        // "wild": a mask always written as wildcard bits
  ProtocolNumber,  // "proto": a protocol number 0..255
  IgmpMessage,     // "igmsg": IGMP message name or number 0..15
  Dscp,            // "dscpv": DSCP name or number 0..63
  Tos,             // "tosv": type-of-service name or number 0..15
  IpOption,        // "ipopt": IP option name or number 0..255
  TcpFlag,         // "tflag": a TCP flag name (ack, fin, psh, rst, syn, urg)
  SignedTcpFlag,   // "sflag": a TCP flag name after "+" (set) or "-" (clear)
  RangeState,      // "trstate": "(active)" or "(inactive)", which a list shows after a time range
  Count,           // "count": a number 0..2147483647
  NumberLiteral,   // anything else: matches only the same number (a word that is no number never
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

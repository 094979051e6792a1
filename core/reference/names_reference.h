#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/name_tables.h"

namespace kerbwise {

// A reference of every name the rule language accepts for TCP ports, UDP
// ports and ICMP messages, with its number, as text lines laid out in columns
// for a fixed-pitch font. Three sections, each a header, a rule of hyphens and
// one row per name:
//   TCP and UDP: "TCP name   number" rows with the numbers right-aligned,
//     in alphabetical order of the names (letter case ignored, a name before
//     the longer names it begins), each section followed by an empty line;
//   ICMP: "ICMP name  type code" rows in table order, the code column "-" for
//     a message that stands for a type with any code.
// Column widths follow the longest entries, so the layout adapts to the
// tables. The text does not depend on the language.
std::vector<std::string> NamesReference();

// The same built from other tables. An ICMP value below 256 is a type with
// any code, a larger one type * 256 + code.
std::vector<std::string> NamesReference(std::span<const NameEntry> tcpPorts,
                                        std::span<const NameEntry> udpPorts,
                                        std::span<const NameEntry> icmpMessages);

}  // namespace kerbwise

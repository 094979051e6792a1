#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kerbwise {

// One entry of a built-in name table: a lower-case name and its value as
// decimal text, which the recognizer copies into a record as it stands.
struct NameEntry {
  std::string_view name;
  std::string_view value;
};

// An ICMP message value and the name of the message that answers it (empty
// when nothing answers it).
struct IcmpReplyEntry {
  std::string_view value;
  std::string_view reply;
};

std::span<const NameEntry> TcpPortNames();
std::span<const NameEntry> UdpPortNames();
std::span<const NameEntry> IcmpMessageNames();
std::span<const NameEntry> PrecedenceNames();
std::span<const IcmpReplyEntry> IcmpReplyPairs();
// IGMP messages by their type byte (a number n of 0..15 written in an entry
// is the type 16 + n).
std::span<const NameEntry> IgmpMessageNames();
std::span<const NameEntry> DscpNames();
std::span<const NameEntry> TosNames();
std::span<const NameEntry> IpOptionNames();

// The value of the first entry whose name equals `lowerName` exactly.
std::optional<std::string_view> LookUpName(std::span<const NameEntry> table,
                                           std::string_view lowerName);

// The answering message of an ICMP value text; nullopt when the value is not
// in the table, an empty view when it is there without an answer.
std::optional<std::string_view> IcmpReplyName(std::string_view value);

}  // namespace kerbwise

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kerbwise {

// The protocols the rule language names, in both directions: a keyword to
// the number a record stores, and a number back to its keyword. "ip" stands
// for every protocol and has no number; a record stores it as "ip".
inline constexpr std::string_view kAnyProtocol = "ip";

inline constexpr std::uint8_t kProtocolIcmp = 1;
inline constexpr std::uint8_t kProtocolTcp = 6;
inline constexpr std::uint8_t kProtocolUdp = 17;
inline constexpr std::uint8_t kProtocolIgmp = 2;
inline constexpr std::uint8_t kProtocolSctp = 132;

struct NamedProtocol {
  std::string_view name;
  std::uint8_t number;
  std::string_view numberText;  // the number as a record stores it
};

// The protocol named by `keyword` (lower case); nullopt for any other word.
std::optional<NamedProtocol> ProtocolByName(std::string_view keyword);

// The keyword of a protocol number; nullopt when the number has no name.
std::optional<std::string_view> ProtocolName(std::uint8_t number);

}  // namespace kerbwise

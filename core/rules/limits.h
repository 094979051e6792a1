#pragma once

#include <cstdint>

namespace kerbwise {

// The value limits of the rule language, in one place for the recognizer, the
// value readers and everything that compares entries.
inline constexpr std::uint16_t kMaxPort = 65535;
inline constexpr std::uint16_t kMaxTtl = 255;
inline constexpr std::int32_t kMaxPrecedence = 7;
inline constexpr std::int32_t kMaxProtocol = 255;
inline constexpr std::int32_t kMaxDscp = 63;
inline constexpr std::int32_t kMaxTos = 15;
inline constexpr std::int32_t kMaxIpOption = 255;
// An IGMP message written as a number n is the type byte 16 + n.
inline constexpr std::int32_t kMaxIgmpNumber = 15;
inline constexpr std::int32_t kIgmpNumberBase = 16;

// An ICMP message is stored as one number: a type alone below kIcmpTypeCount,
// otherwise type * kIcmpTypeCount + code.
inline constexpr std::int32_t kIcmpTypeCount = 256;
inline constexpr std::int32_t kMaxIcmpType = kIcmpTypeCount - 1;
inline constexpr std::int32_t kMaxIcmpMessage = kIcmpTypeCount * kIcmpTypeCount - 1;

}  // namespace kerbwise

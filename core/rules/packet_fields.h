#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "rules/compiled_entry.h"

namespace kerbwise {

// The readings of the option texts a record stores (canonical: names already
// replaced by numbers) into the packet fields they fix.

// "precedence P", "dscp D" and "tos T" as fixed bits of the ToS byte;
// nullopt when the text is not such a condition with a number in range.
std::optional<ByteMatch> PrecedenceMatch(std::string_view text);
std::optional<ByteMatch> DscpMatch(std::string_view text);
std::optional<ByteMatch> TosMatch(std::string_view text);
// Both conditions at once; nullopt when they fix one bit differently.
std::optional<ByteMatch> BothMatch(ByteMatch a, ByteMatch b);

// Whether every byte `inner` lets through, `outer` lets through too.
constexpr bool ByteMatchInside(ByteMatch inner, ByteMatch outer) {
  return (outer.Mask & ~inner.Mask) == 0 && (inner.Value & outer.Mask) == outer.Value;
}
// Whether some byte passes both.
constexpr bool ByteMatchesMeet(ByteMatch a, ByteMatch b) {
  const unsigned shared = a.Mask & b.Mask;
  return (a.Value & shared) == (b.Value & shared);
}

// The flag combinations of `established`: those with ack or rst.
std::uint64_t EstablishedFlags();
// The flag combinations a flag text allows: plain flag words must all be set
// ("syn ack"); "match-all" and "match-any" are followed by "+flag" (set) and
// "-flag" (clear) words that must all, or at least one, hold. nullopt for
// any other word.
std::optional<std::uint64_t> TcpFlagCombinations(std::string_view text);

}  // namespace kerbwise

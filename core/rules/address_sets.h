#pragma once

#include <cstdint>
#include <string>

#include "text/language.h"

namespace kerbwise {

// An address set is every 32-bit value x with (x AND mask) = address, the mask
// in netmask form (1-bits must match). Masks need not be contiguous.

// Whether the set (address, mask) has 1-bits only where its mask has them.
// An inconsistent pair describes no address at all.
constexpr bool AddressFitsMask(std::uint32_t address, std::uint32_t mask) {
  return (address & ~mask) == 0;
}

// Whether set A lies inside set B: every bit that B fixes is fixed by A to the
// same value. Meant for consistent pairs.
constexpr bool AddrSetInside(std::uint32_t innerAddr, std::uint32_t innerMask,
                             std::uint32_t outerAddr, std::uint32_t outerMask) {
  return (innerAddr & outerMask) == outerAddr &&
         (innerAddr | outerAddr | innerMask | outerMask) == innerMask;
}

// Whether sets A and B share an address: no bit that both fix differs.
// Meant for consistent pairs.
constexpr bool AddrSetsMeet(std::uint32_t addrA, std::uint32_t maskA, std::uint32_t addrB,
                            std::uint32_t maskB) {
  return ((addrA ^ addrB) & maskA & maskB) == 0;
}

// What two address sets share.
struct AddrOverlap {
  std::uint64_t Count = 0;     // shared addresses; 2^32 when both sets are every address
  std::uint32_t Smallest = 0;  // smallest and largest shared address (0 when none)
  std::uint32_t Largest = 0;
  std::uint64_t Runs = 0;  // maximal blocks of consecutive shared addresses
  bool operator==(const AddrOverlap&) const = default;
};

// The shared addresses of the rule's and the subject's set, computed from the
// bit structure of the masks in constant time.
AddrOverlap MeasureAddrOverlap(std::uint32_t ruleAddr, std::uint32_t ruleMask,
                               std::uint32_t subjectAddr, std::uint32_t subjectMask);

// Whether the two sets share an address.
bool AddressSetsMeet(std::uint32_t addrA, std::uint32_t maskA, std::uint32_t addrB,
                     std::uint32_t maskB);

// The overlap described for a partial-match message: empty when the sets share
// nothing, otherwise "N hosts from A to B", followed by " R subnets of N/R
// hosts" when the shared addresses form more than one block.
std::string AddrPartMatch(std::uint32_t ruleAddr, std::uint32_t ruleMask, std::uint32_t subjectAddr,
                          std::uint32_t subjectMask, Language language);

}  // namespace kerbwise

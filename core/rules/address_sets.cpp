#include "rules/address_sets.h"

#include <bit>

#include "rules/primitives.h"
#include "text/rules_texts.h"

namespace kerbwise {

AddrOverlap MeasureAddrOverlap(std::uint32_t ruleAddr, std::uint32_t ruleMask,
                               std::uint32_t subjectAddr, std::uint32_t subjectMask) {
  if (!AddressFitsMask(ruleAddr, ruleMask) || !AddressFitsMask(subjectAddr, subjectMask)) return {};
  // A shared address fixes every bit either set fixes; the two sets must agree
  // on the bits both fix, and then the smallest shared address is the union of
  // the fixed bits with every free bit clear.
  const std::uint32_t fixedBits = ruleMask | subjectMask;
  const std::uint32_t smallest = ruleAddr | subjectAddr;
  if ((smallest & ruleMask) != ruleAddr || (smallest & subjectMask) != subjectAddr) return {};

  const std::uint32_t freeBits = ~fixedBits;
  AddrOverlap overlap;
  overlap.Count = std::uint64_t{1} << std::popcount(freeBits);
  overlap.Smallest = smallest;
  overlap.Largest = smallest | freeBits;
  // The free bits below the lowest fixed bit take every value, so shared
  // addresses come in blocks of that size; stepping past a block's end always
  // changes the lowest fixed bit, so no two blocks touch.
  overlap.Runs = overlap.Count >> std::countr_zero(fixedBits);
  return overlap;
}

bool AddressSetsMeet(std::uint32_t addrA, std::uint32_t maskA, std::uint32_t addrB,
                     std::uint32_t maskB) {
  return MeasureAddrOverlap(addrA, maskA, addrB, maskB).Count != 0;
}

std::string AddrPartMatch(std::uint32_t ruleAddr, std::uint32_t ruleMask, std::uint32_t subjectAddr,
                          std::uint32_t subjectMask, Language language) {
  const AddrOverlap overlap = MeasureAddrOverlap(ruleAddr, ruleMask, subjectAddr, subjectMask);
  if (overlap.Count == 0) return {};
  std::string text =
      Fill(texts::kSharedHosts.In(language),
           {std::to_string(overlap.Count), ValToIP(overlap.Smallest), ValToIP(overlap.Largest)});
  if (overlap.Runs > 1) {
    text += Fill(texts::kSharedSubnets.In(language),
                 {std::to_string(overlap.Runs), std::to_string(overlap.Count / overlap.Runs)});
  }
  return text;
}

}  // namespace kerbwise

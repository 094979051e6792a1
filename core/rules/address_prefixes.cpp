#include "rules/address_prefixes.h"

#include <algorithm>
#include <bit>

namespace kerbwise {
namespace {

std::uint8_t LeadingLength(std::uint32_t mask) {
  return static_cast<std::uint8_t>(std::countl_one(mask));
}

std::uint32_t TopBits(unsigned length) { return length == 0 ? 0u : ~0u << (32 - length); }

}  // namespace

void AddressPrefixes::Add(std::uint32_t address, std::uint32_t mask, std::uint32_t id) {
  const std::uint8_t length = LeadingLength(mask);
  sorted_.push_back({address & TopBits(length), length, id});
  lengths_ |= std::uint64_t{1} << length;
}

void AddressPrefixes::Seal() { std::sort(sorted_.begin(), sorted_.end()); }

std::pair<std::vector<AddressPrefixes::Filed>::const_iterator,
          std::vector<AddressPrefixes::Filed>::const_iterator>
AddressPrefixes::Bucket(std::uint32_t prefix, unsigned length) const {
  const auto l = static_cast<std::uint8_t>(length);
  return std::equal_range(sorted_.begin(), sorted_.end(), Filed{prefix, l, 0},
                          [](const Filed& a, const Filed& b) {
                            return a.Prefix != b.Prefix ? a.Prefix < b.Prefix : a.Length < b.Length;
                          });
}

std::size_t AddressPrefixes::Count(std::uint32_t address, std::uint32_t mask) const {
  const std::uint8_t length = LeadingLength(mask);
  std::size_t count = 0;
  // The path above the prefix; its own length is counted with those below.
  for (std::uint64_t above = lengths_ & ((std::uint64_t{1} << length) - 1); above != 0;
       above &= above - 1) {
    const auto l = static_cast<unsigned>(std::countr_zero(above));
    const auto [from, to] = Bucket(address & TopBits(l), l);
    count += static_cast<std::size_t>(to - from);
  }
  const std::uint32_t low = address & TopBits(length);
  const std::uint32_t high = low | ~TopBits(length);
  const auto from = std::lower_bound(sorted_.begin(), sorted_.end(), Filed{low, length, 0});
  const auto to =
      high == ~0u ? sorted_.end() : std::lower_bound(from, sorted_.end(), Filed{high + 1, 0, 0});
  return count + static_cast<std::size_t>(to - from);
}

void AddressPrefixes::Collect(std::uint32_t address, std::uint32_t mask,
                              std::vector<std::uint32_t>& found) const {
  const std::uint8_t length = LeadingLength(mask);
  for (std::uint64_t path = lengths_ & ((std::uint64_t{2} << length) - 1); path != 0;
       path &= path - 1) {
    const auto l = static_cast<unsigned>(std::countr_zero(path));
    const auto [from, to] = Bucket(address & TopBits(l), l);
    for (auto at = from; at != to; ++at) found.push_back(at->Id);
  }
  if (length == 32) return;
  const std::uint32_t low = address & TopBits(length);
  const std::uint32_t high = low | ~TopBits(length);
  // A prefix no longer than this one lies in its block only as `low` itself,
  // on the path already taken.
  for (auto at = std::lower_bound(sorted_.begin(), sorted_.end(), Filed{low, 0, 0});
       at != sorted_.end() && at->Prefix <= high; ++at) {
    if (at->Length > length) found.push_back(at->Id);
  }
}

}  // namespace kerbwise

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kerbwise {

// Address sets (an address under a mask) filed under the bits their mask
// fixes from the top down: their prefix. Two sets can share an address only
// if one's prefix begins the other's, so the sets that may meet a given one
// are those filed on the path to its prefix and those filed below it; a
// search finds them without looking at the others. Const member functions
// may run on several threads at once.
class AddressPrefixes {
 public:
  // Files one set under `id`; every Add comes before Seal.
  void Add(std::uint32_t address, std::uint32_t mask, std::uint32_t id);
  // Readies the filed sets for searches.
  void Seal();

  // How many ids Collect would give for the set, in searches only.
  std::size_t Count(std::uint32_t address, std::uint32_t mask) const;
  // Appends the ids of the filed sets whose prefix begins, or is begun by,
  // the prefix of `address` under `mask`: the path to it, its own prefix
  // included, then the sets below it.
  void Collect(std::uint32_t address, std::uint32_t mask, std::vector<std::uint32_t>& found) const;

 private:
  struct Filed {
    std::uint32_t Prefix;  // the address under its leading mask bits
    std::uint8_t Length;   // how many leading mask bits
    std::uint32_t Id;
    auto operator<=>(const Filed&) const = default;
  };
  // The filed sets of one prefix and length.
  std::pair<std::vector<Filed>::const_iterator, std::vector<Filed>::const_iterator> Bucket(
      std::uint32_t prefix, unsigned length) const;

  std::vector<Filed> sorted_;  // by prefix, then length, then id
  // Bit l set: some set is filed with l leading bits. Lists use few lengths
  // (hosts, /24, any), so the path to a prefix is searched at those alone.
  std::uint64_t lengths_ = 0;
};

}  // namespace kerbwise

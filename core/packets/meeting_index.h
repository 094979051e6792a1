#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/compiled_entry.h"

namespace kerbwise {

// Finds, for one rule entry, the other rule entries whose protocols and
// addresses meet its own, without looking at every entry. Each side's address
// is filed under the bits its mask fixes from the top down (its prefix): two
// entries can meet only if one's prefix begins the other's, so a query takes
// the entries filed on the path to its prefix and those filed below it, on
// whichever side gives fewer.
class MeetingIndex {
 public:
  // Files the entries whose `rule` flag is set; `entries` must outlive the
  // index.
  MeetingIndex(const CompiledEntries& entries, const std::vector<bool>& rule);

  // The filed entries other than `entry` whose protocol and addresses meet
  // those of `entry` and whose options meet too, ascending.
  std::vector<std::size_t> Meeting(std::size_t entry) const;

 private:
  struct Filed {
    std::uint32_t Prefix;  // the address under its leading mask bits
    std::uint8_t Length;   // how many leading mask bits
    std::uint32_t Entry;
    auto operator<=>(const Filed&) const = default;
  };
  struct Side {
    std::vector<Filed> Sorted;  // by prefix, then length
  };

  void Collect(const Side& side, std::uint32_t address, std::uint32_t mask,
               std::vector<std::uint32_t>& found) const;
  std::size_t Count(const Side& side, std::uint32_t address, std::uint32_t mask) const;

  const CompiledEntries& entries_;
  Side source_, destination_;
};

}  // namespace kerbwise

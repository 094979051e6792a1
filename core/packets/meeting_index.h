#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/address_prefixes.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

// Finds, for one rule entry, the other rule entries whose protocols and
// addresses meet its own, without looking at every entry: each side's
// addresses are filed by their prefixes, and a query searches whichever side
// gives fewer entries.
class MeetingIndex {
 public:
  // Files the entries whose `rule` flag is set; `entries` must outlive the
  // index.
  MeetingIndex(const CompiledEntries& entries, const std::vector<bool>& rule);

  // The filed entries other than `entry` whose protocol and addresses meet
  // those of `entry` and whose options meet too, ascending.
  std::vector<std::size_t> Meeting(std::size_t entry) const;

 private:
  const CompiledEntries& entries_;
  AddressPrefixes source_, destination_;
};

}  // namespace kerbwise

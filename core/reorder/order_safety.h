#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/check_options.h"
#include "run/run_hooks.h"

namespace kerbwise {

class LineRecognizer;

// Two rule entries that a new order puts the other way round, whose traffic
// overlaps and whose actions differ: for their common traffic the list now
// does the opposite of what it did.
struct OrderChange {
  std::size_t First = 0;      // 0-based list line of the entry that came first
  std::size_t Second = 0;     // and of the one that came after it
  std::size_t NewFirst = 0;   // their 1-based places in the new order;
  std::size_t NewSecond = 0;  // NewFirst > NewSecond
};

struct OrderChanges {
  std::uint64_t Count = 0;  // every such pair of entries
  // The first of them, in list order of First, then of Second; at most the
  // limit FindOrderChanges was given, so that a list turned upside down
  // cannot fill the memory.
  std::vector<OrderChange> Listed;
};

inline constexpr std::size_t kListedOrderChanges = 100000;

// The pairs of rule entries of `listLines` (the normalised list in its
// current order, each line with its number) whose relative order
// `newPosition` (SortResult::NewPosition) reverses, whose traffic overlaps and
// whose actions differ. Consecutive lines with one number are the lines of
// one object-group entry: they move as one and count as one entry. Lines that
// are not rules, or have no place in the new order, take no part. Reads
// MaskType from the options. `progress` hears the share of lines compared.
OrderChanges FindOrderChanges(const std::vector<std::string>& listLines,
                              const std::vector<std::size_t>& newPosition,
                              const CheckOptions& options, LineRecognizer& recognizer,
                              std::size_t listLimit = kListedOrderChanges,
                              const ProgressCallback& progress = {});

}  // namespace kerbwise

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/ascending_marks.h"
#include "rules/address_prefixes.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

// For each line of a list, the later lines whose comparison with it can
// find anything, a relation or an error, so that the analysis compares those
// alone. Two clean rules relate only when their protocols agree (equal, or
// one is ip) and their addresses meet on both sides; the addresses of the
// clean rules are filed by prefix on each side, and a line searches the side
// that gives fewer. Lines whose comparison may fail (not recognised, or a
// rule with values that do not fit) are handed to every row, since a row
// ends at its first error; remarks relate to nothing and fail against no
// rule. Const member functions may run on several threads at once.
class PairIndex {
 public:
  // `entries` must outlive the index.
  explicit PairIndex(const CompiledEntries& entries);

  // Working space of Later, one per thread.
  class Scratch {
   public:
    explicit Scratch(std::size_t lines) : marks_(lines) {}

   private:
    friend class PairIndex;
    std::vector<std::uint32_t> found_;
    AscendingMarks marks_;
  };

  // Puts into `later` the lines after `row` that its comparisons must look
  // at, ascending. False when that may be nearly every later line: the row
  // then compares them all and `later` is left as it was.
  bool Later(std::size_t row, Scratch& scratch, std::vector<std::uint32_t>& later) const;

 private:
  const CompiledEntries& entries_;
  AddressPrefixes source_, destination_;
  std::vector<std::uint32_t> alwaysCompared_;  // ascending
};

}  // namespace kerbwise

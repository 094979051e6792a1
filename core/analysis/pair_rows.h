#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/pair_comparer.h"
#include "analysis/pair_index.h"

namespace kerbwise {

// What the comparisons of line i with one later line j found.
struct PairFinding {
  std::size_t Later = 0;  // j, 0-based
  // True: line i lies inside line j (the first test). False: line j lies
  // inside line i (the second test, made only when the first found nothing).
  bool InsideLater = false;
  bool PortsIncomplete = false;
};

// The failing comparison that ends a row, and with it the analysis.
struct PairError {
  std::size_t Rule = 0;  // 0-based; the line the error report names
  std::size_t Subject = 0;
};

// The findings of line i against every later line, in the order of j; a row
// stops at its first error.
struct PairRow {
  std::vector<PairFinding> Findings;
  std::optional<PairError> Error;
};

// Compares a line with each later line: first the later line as rule and the
// line as subject, and only when that is no match the other way round. With
// an index it skips the later lines the index leaves out, which never relate
// to the line nor fail against it, so the row is the same. One per thread.
class RowComparer {
 public:
  // `index` may be null: every later line is compared.
  RowComparer(const PairComparer& comparer, const PairIndex* index);

  PairRow Row(std::size_t row);

 private:
  // Compares `row` with `later`; false when that ends the row.
  bool Pair(std::size_t row, std::size_t later, PairRow& result) const;

  const PairComparer& comparer_;
  const PairIndex* index_;
  PairIndex::Scratch scratch_;
  std::vector<std::uint32_t> later_;
};

// Hands the rows 0 .. size-2 to `consume` in order, computing them on
// `threads` threads (1: on the calling thread alone), through `index` when
// it is not null. `consume` runs on the calling thread and returns false to
// stop early; rows past an error are not handed on. The rows are the same
// whatever the number of threads and with or without the index.
void ForEachRow(const PairComparer& comparer, const PairIndex* index, unsigned threads,
                const std::function<bool(std::size_t row, PairRow& result)>& consume);

}  // namespace kerbwise

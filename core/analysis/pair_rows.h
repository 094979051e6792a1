#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/pair_comparer.h"

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

// Compares line `row` with each later line: first the later line as rule and
// `row` as subject, and only when that is no match the other way round.
PairRow CompareRow(const PairComparer& comparer, std::size_t row);

// Hands the rows 0 .. size-2 to `consume` in order, computing them on
// `threads` threads (1: on the calling thread alone). `consume` runs on the
// calling thread and returns false to stop early; rows past an error are not
// handed on. The rows are the same whatever the number of threads.
void ForEachRow(const PairComparer& comparer, unsigned threads,
                const std::function<bool(std::size_t row, PairRow& result)>& consume);

}  // namespace kerbwise

#include "packets/exact_order.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "packets/list_diff.h"
#include "rules/list_entry.h"

namespace kerbwise {
namespace {

// How many pairwise pairs are gathered to choose the entries to follow:
// beyond them every entry is followed (32 bytes a pair).
constexpr std::size_t kPairsFollowed = 1'000'000;

// Per line, its entry: a run of consecutive lines with one sequence number
// is one object-group entry, which moves as one.
std::vector<std::size_t> EntryOfLines(const std::vector<std::string>& listLines) {
  std::vector<std::size_t> entryOf;
  std::optional<std::int32_t> previous;
  std::size_t entry = 0;
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    const std::optional<std::int32_t> number = SplitListLine(listLines[k]).Number;
    if (k > 0 && (!number || number != previous)) ++entry;
    entryOf.push_back(entry);
    previous = number;
  }
  return entryOf;
}

}  // namespace

OrderChanges FindExactOrderChanges(const std::vector<std::string>& listLines,
                                   const std::vector<std::size_t>& newPosition,
                                   const CheckOptions& options, LineRecognizer& recognizer,
                                   std::size_t listLimit) {
  // The exact pairs are among the pairwise ones: with none of those, the
  // new order does what the old one did.
  OrderChanges pairwise =
      FindOrderChanges(listLines, newPosition, options, recognizer, kPairsFollowed);
  if (pairwise.Count == 0) return pairwise;
  // Only the first entry of each pair needs following; when there are more
  // pairs than were listed, every entry is followed.
  // The pairwise check names each pair of entries once, by one line of
  // each, so every line of a first entry is followed.
  const std::vector<std::size_t> entryOf = EntryOfLines(listLines);
  const bool allListed = pairwise.Count == pairwise.Listed.size();
  std::vector<bool> firstEntry(entryOf.empty() ? 0 : entryOf.back() + 1, !allListed);
  for (const OrderChange& change : pairwise.Listed) firstEntry[entryOf[change.First]] = true;
  pairwise.Listed.resize(std::min(pairwise.Listed.size(), listLimit));
  // Lines without a place in the new order (remarks, lines not recognised)
  // take no part, in either order.
  std::vector<std::size_t> oldOrder;
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    if (newPosition[k] != 0) oldOrder.push_back(k);
  }
  std::vector<std::size_t> newOrder = oldOrder;
  std::stable_sort(newOrder.begin(), newOrder.end(),
                   [&](std::size_t a, std::size_t b) { return newPosition[a] < newPosition[b]; });
  std::vector<std::string> oldLines, newLines;
  std::vector<bool> from;
  for (const std::size_t k : oldOrder) {
    oldLines.push_back(listLines[k]);
    from.push_back(firstEntry[entryOf[k]]);
  }
  for (const std::size_t k : newOrder) newLines.push_back(listLines[k]);

  CheckOptions english = options;
  english.TextLanguage = Language::English;
  const ListDiff diff = DiffReordered(oldLines, newLines, english, from);
  if (diff.Error) return pairwise;

  std::set<std::pair<std::size_t, std::size_t>> entryPairs;
  std::vector<OrderChange> changes;
  for (const DecidingPair& pair : diff.Pairs) {
    const std::size_t first = oldOrder[pair.OldLine];
    const std::size_t second = newOrder[pair.NewLine];
    if (!entryPairs.insert({entryOf[first], entryOf[second]}).second) continue;
    changes.push_back({first, second, newPosition[first], newPosition[second]});
  }
  std::sort(changes.begin(), changes.end(), [](const OrderChange& a, const OrderChange& b) {
    return std::pair(a.First, a.Second) < std::pair(b.First, b.Second);
  });
  OrderChanges result;
  result.Count = changes.size();
  changes.resize(std::min(changes.size(), listLimit));
  result.Listed = std::move(changes);
  return result;
}

}  // namespace kerbwise

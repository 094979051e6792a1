#include "packets/exact_order.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "packets/list_diff.h"
#include "rules/list_entry.h"

namespace kerbwise {
namespace {

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
  if (newPosition.size() != listLines.size()) return {};
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
  for (const std::size_t k : oldOrder) oldLines.push_back(listLines[k]);
  for (const std::size_t k : newOrder) newLines.push_back(listLines[k]);

  CheckOptions english = options;
  english.TextLanguage = Language::English;
  const ListDiff diff = DiffLists(oldLines, newLines, english, 0);
  if (diff.Error) return FindOrderChanges(listLines, newPosition, options, recognizer, listLimit);

  const std::vector<std::size_t> entryOf = EntryOfLines(listLines);
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

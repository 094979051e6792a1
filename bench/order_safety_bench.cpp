// The order check after a sort: which pairs of entries the new order turns
// round with opposite actions on shared traffic. A list the sort reverses
// turns every pair round, so the check meets its worst case there.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "reorder/order_safety.h"
#include "reorder/sort_acl.h"
#include "rules/line_recognizer.h"
#include "rules/primitives.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

constexpr std::size_t kReversedEntries = 10'000;

// Sorts the list once by `columns`, then times the order check alone, with
// the recognizer as the sort left it (as the sort window runs it).
void RunOrderCheck(benchmark::State& state, const std::vector<std::string>& list,
                   std::vector<KeyColumn> columns) {
  SortColumns sortColumns;
  for (KeyColumn column : columns) sortColumns.SwitchOn(column);
  const CheckOptions options;
  LineRecognizer recognizer;
  recognizer.EmptyCache(list.size());
  const SortResult sorted = SortACL(sortColumns, list, {}, {}, options, recognizer);
  OrderChanges changes;
  for (auto _ : state) {
    changes = FindOrderChanges(list, sorted.NewPosition, options, recognizer);
    benchmark::DoNotOptimize(changes.Listed.data());
  }
  state.counters["pairs"] = static_cast<double>(changes.Count);
  state.counters["listed"] = static_cast<double>(changes.Listed.size());
}

// Numbered 10, 20, ...
std::vector<std::string> Numbered(const std::vector<std::string>& entries) {
  std::vector<std::string> list;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    list.push_back(std::to_string((i + 1) * 10) + ' ' + entries[i]);
  }
  return list;
}

// Permits and denies in turn.
std::string Action(std::size_t i) { return i % 2 == 0 ? "permit " : "deny "; }

// 10,000 entries to distinct hosts, written from the highest address down:
// sorting by destination reverses the list, and no two entries share traffic.
void BM_OrderCheckReversedApart(benchmark::State& state) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < kReversedEntries; ++i) {
    const auto host = static_cast<std::uint32_t>(0x0A000000u + kReversedEntries - i);
    entries.push_back(Action(i) + "tcp any host " + ValToIP(host) + " eq 80");
  }
  RunOrderCheck(state, Numbered(entries), {KeyColumn::DstAddr});
}
BENCHMARK(BM_OrderCheckReversedApart)->Unit(benchmark::kMillisecond);

// 10,000 entries whose port ranges all meet, from the highest first port
// down: reversed by the sort, every permit and deny pair is a change.
void BM_OrderCheckReversedAllMeet(benchmark::State& state) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < kReversedEntries; ++i) {
    entries.push_back(Action(i) + "tcp any any range " + std::to_string(kReversedEntries + 1 - i) +
                      " 65535");
  }
  RunOrderCheck(state, Numbered(entries), {KeyColumn::DstOpt});
}
BENCHMARK(BM_OrderCheckReversedAllMeet)->Unit(benchmark::kMillisecond);

// 100,000 entries of the kinds real lists hold, shuffled, then sorted by
// protocol, destination and destination ports.
void BM_OrderCheckShuffled100k(benchmark::State& state) {
  std::vector<std::string> entries = testing::SyntheticEntries(100'000);
  std::shuffle(entries.begin(), entries.end(), std::mt19937(7));
  RunOrderCheck(state, Numbered(entries),
                {KeyColumn::Proto, KeyColumn::DstAddr, KeyColumn::DstOpt});
}
BENCHMARK(BM_OrderCheckShuffled100k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

// The difference between two lists, and the exact order check after a sort,
// on 10,000 realistic entries.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "packets/exact_order.h"
#include "packets/list_diff.h"
#include "reorder/sort_acl.h"
#include "rules/line_recognizer.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

constexpr std::size_t kEntries = 10'000;

std::vector<std::string> RealisticList() {
  std::vector<std::string> list;
  const std::vector<std::string> entries = testing::SyntheticEntries(kEntries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    list.push_back(std::to_string((i + 1) * 10) + ' ' + entries[i]);
  }
  return list;
}

// The list with its middle entry turned to the other action: what an edit
// of one entry on a long list looks like.
void BM_DiffOneEntryChanged(benchmark::State& state) {
  const std::vector<std::string> oldList = RealisticList();
  std::vector<std::string> newList = oldList;
  std::string& middle = newList[kEntries / 2];
  const std::size_t action = middle.find("permit");
  if (action != std::string::npos) {
    middle.replace(action, 6, "deny");
  } else {
    middle.replace(middle.find("deny"), 4, "permit");
  }
  ListDiff diff;
  for (auto _ : state) {
    diff = DiffLists(oldList, newList, {});
    benchmark::DoNotOptimize(diff.Same);
  }
  state.counters["same"] = diff.Same;
  state.counters["pairs"] = static_cast<double>(diff.Pairs.size());
}
BENCHMARK(BM_DiffOneEntryChanged)->Unit(benchmark::kMillisecond);

// A list against itself renumbered: nothing to walk once the head is
// matched.
void BM_DiffRenumbered(benchmark::State& state) {
  const std::vector<std::string> oldList = RealisticList();
  std::vector<std::string> newList;
  for (const std::string& line : oldList) newList.push_back("5" + line);
  ListDiff diff;
  for (auto _ : state) {
    diff = DiffLists(oldList, newList, {});
    benchmark::DoNotOptimize(diff.Same);
  }
  state.counters["same"] = diff.Same;
}
BENCHMARK(BM_DiffRenumbered)->Unit(benchmark::kMillisecond);

// 10,000 entries of both actions whose sources and destinations are drawn
// from small pools (any, a few /16s, hosts), so that many overlap and a sort
// turns many overlapping pairs round.
std::vector<std::string> OverlappingList() {
  std::mt19937 random(7);
  std::vector<std::string> list;
  for (std::size_t i = 0; i < kEntries; ++i) {
    std::string entry = std::to_string((i + 1) * 10) + (random() % 3 == 0 ? " deny" : " permit");
    entry += random() % 2 == 0 ? " tcp " : " udp ";
    switch (random() % 10) {
      case 0:
        entry += "any";
        break;
      case 1:
      case 2:
        entry += "10." + std::to_string(random() % 16) + ".0.0 0.0.255.255";
        break;
      default:
        entry += "host 10." + std::to_string(random() % 16) + '.' + std::to_string(random() % 256) +
                 '.' + std::to_string(random() % 256);
    }
    entry += random() % 4 == 0 ? " 192.168.0.0 0.0.255.255"
                               : " host 192.168." + std::to_string(random() % 4) + '.' +
                                     std::to_string(random() % 256);
    static const char* const kPorts[] = {"", " eq 80", " eq 443", " range 1000 2000"};
    entry += kPorts[random() % 4];
    list.push_back(entry);
  }
  return list;
}

// The exact order check after sorting the whole list by destination and
// source: almost every entry moves, so almost every entry is walked.
void BM_ExactOrderCheckAfterSort(benchmark::State& state) {
  const std::vector<std::string> list = OverlappingList();
  SortColumns columns;
  columns.SwitchOn(KeyColumn::DstAddr);
  columns.SwitchOn(KeyColumn::SrcAddr);
  const CheckOptions options;
  LineRecognizer recognizer;
  recognizer.EmptyCache(list.size());
  const SortResult sorted = SortACL(columns, list, {}, {}, options, recognizer);
  OrderChanges changes;
  for (auto _ : state) {
    changes = FindExactOrderChanges(list, sorted.NewPosition, options, recognizer);
    benchmark::DoNotOptimize(changes.Count);
  }
  state.counters["pairs"] = static_cast<double>(changes.Count);
  state.counters["pairwise"] =
      static_cast<double>(FindOrderChanges(list, sorted.NewPosition, options, recognizer).Count);
}
BENCHMARK(BM_ExactOrderCheckAfterSort)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

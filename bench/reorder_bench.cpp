#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "reorder/reorder_commands.h"
#include "reorder/sort_acl.h"
#include "rules/primitives.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

constexpr std::size_t kListEntries = 100'000;

SortColumns ThreeColumns() {
  SortColumns columns;
  columns.SwitchOn(KeyColumn::Proto);
  columns.SwitchOn(KeyColumn::DstAddr);
  columns.SwitchOn(KeyColumn::DstOpt);
  return columns;
}

// Sorts with a fresh recognizer every time, so every line is recognised.
void RunSort(benchmark::State& state, const std::vector<std::string>& list,
             const std::vector<std::string>& source, const SortOptions& options,
             std::size_t expectedLines) {
  const CheckOptions checkOptions;
  for (auto _ : state) {
    SortColumns columns = ThreeColumns();
    LineRecognizer recognizer;
    recognizer.EmptyCache(list.size());
    const SortResult result = SortACL(columns, list, source, options, checkOptions, recognizer);
    if (result.MainOutput.size() != expectedLines || !result.Problems.empty()) {
      state.SkipWithError("unexpected sort result");
      break;
    }
    benchmark::DoNotOptimize(result.MainOutput.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(list.size() * state.iterations()));
}

// 100,000 distinct entries numbered 10, 20, ..., by protocol, destination
// address and destination ports.
void BM_SortThreeColumns(benchmark::State& state) {
  const std::vector<std::string> entries = testing::SyntheticEntries(kListEntries);
  std::vector<std::string> list;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    list.push_back(" " + std::to_string((i + 1) * 10) + " " + entries[i]);
  }
  RunSort(state, list, {}, {.WithNumbers = true, .Group = false, .Collapse = false}, kListEntries);
}
BENCHMARK(BM_SortThreeColumns)->Unit(benchmark::kMillisecond);

// 500 source entries that name a group of 200 hosts each, expanded into
// 100,000 derived lines; the sort scatters each entry's lines over the list
// and the collapse gathers them again.
void BM_SortAndCollapse(benchmark::State& state) {
  constexpr std::size_t kSources = 500;
  constexpr std::size_t kMembers = 200;
  const std::vector<std::string> protocols = {"tcp", "udp"};
  std::vector<std::string> source;
  std::vector<std::string> list;
  for (std::size_t s = 0; s < kSources; ++s) {
    const std::string number = std::to_string((s + 1) * 10);
    const std::string protocol = protocols[s % 2];
    const std::string port = std::to_string(1000 + s);
    source.push_back(number + " permit " + protocol + " any object-group HOSTS" +
                     std::to_string(s) + " eq " + port);
    for (std::size_t m = 0; m < kMembers; ++m) {
      const std::uint32_t host = 0x0A000000u + static_cast<std::uint32_t>(m * 4096 + s);
      list.push_back("0" + number + " permit " + protocol + " any host " + ValToIP(host) + " eq " +
                     port);
    }
  }
  RunSort(state, list, source, {.WithNumbers = true, .Group = false, .Collapse = true}, kSources);
}
BENCHMARK(BM_SortAndCollapse)->Unit(benchmark::kMillisecond);

// The command generator over 100,000 lines in a shuffled order.
void BM_ReorderCommands(benchmark::State& state) {
  std::vector<std::size_t> numbers(kListEntries);
  std::iota(numbers.begin(), numbers.end(), std::size_t{1});
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(3));
  std::vector<std::string> lines;
  for (std::size_t number : numbers) {
    lines.push_back(std::to_string(number * 10) + " permit tcp any any eq " +
                    std::to_string(number % 65536));
  }
  for (auto _ : state) {
    const ReorderCommands result = GenerateReorderCommands(lines, 0, "BENCH");
    if (result.Outcome != CommandOutcome::Produced) {
      state.SkipWithError("no commands produced");
      break;
    }
    benchmark::DoNotOptimize(result.Commands.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(lines.size() * state.iterations()));
}
BENCHMARK(BM_ReorderCommands)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

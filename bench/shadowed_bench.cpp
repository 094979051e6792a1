// Entries no packet reaches and entries that can go, on long lists. Each
// case reports the process's peak resident memory so far ("peak_mb"); run a
// case alone (--benchmark_filter) to read its own peak. The work runs on the
// packet worker's thread, so "cpu_s" counts the whole process's processor
// time: on a loaded machine it says more than the wall clock.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_lists.h"
#include "packets/removable.h"
#include "packets/shadowed.h"
#include "process_usage.h"

namespace kerbwise {
namespace {

using bench::PeakMegabytes;
using bench::ProcessorSeconds;

// Runs `find` once per iteration; sets cpu_s and peak_mb.
template <class Find>
auto Measure(benchmark::State& state, Find find) {
  decltype(find()) report;
  double cpu = 0;
  for (auto _ : state) {
    const double before = ProcessorSeconds();
    report = find();
    cpu += ProcessorSeconds() - before;
    benchmark::DoNotOptimize(report);
  }
  state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
  state.counters["peak_mb"] = PeakMegabytes();
  if (report.Error) state.SkipWithError(report.Error->c_str());
  return report;
}

void RunShadowed(benchmark::State& state, const std::vector<std::string>& list) {
  const ShadowReport report = Measure(state, [&] { return FindShadowed(list, {}); });
  state.counters["shadowed"] = static_cast<double>(
      std::count_if(report.Rows.begin(), report.Rows.end(),
                    [](const ShadowRow& row) { return row.State != Reach::Reachable; }));
}

void BM_ShadowedRealistic(benchmark::State& state) {
  RunShadowed(state, bench::RealisticList(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ShadowedRealistic)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_ShadowedRandomAddresses(benchmark::State& state) {
  RunShadowed(state, bench::RandomAddressList(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ShadowedRandomAddresses)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_RemovableRealistic(benchmark::State& state) {
  const std::vector<std::string> list =
      bench::RealisticList(static_cast<std::size_t>(state.range(0)));
  const RemovableReport report = Measure(state, [&] { return FindRemovable(list, {}); });
  state.counters["removable"] = static_cast<double>(report.Indexes.size());
}
BENCHMARK(BM_RemovableRealistic)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace kerbwise

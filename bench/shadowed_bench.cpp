// Entries no packet reaches and entries that can go, on long lists. Each
// case reports the process's peak resident memory so far ("peak_mb"); run a
// case alone (--benchmark_filter) to read its own peak.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_lists.h"
#include "packets/removable.h"
#include "packets/shadowed.h"

namespace kerbwise {
namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void RunShadowed(benchmark::State& state, const std::vector<std::string>& list) {
  ShadowReport report;
  for (auto _ : state) {
    report = FindShadowed(list, {});
    benchmark::DoNotOptimize(report);
  }
  if (report.Error) state.SkipWithError(report.Error->c_str());
  state.counters["shadowed"] = static_cast<double>(
      std::count_if(report.Rows.begin(), report.Rows.end(),
                    [](const ShadowRow& row) { return row.State != Reach::Reachable; }));
  state.counters["peak_mb"] = PeakMegabytes();
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
  RemovableReport report;
  for (auto _ : state) {
    report = FindRemovable(list, {});
    benchmark::DoNotOptimize(report);
  }
  if (report.Error) state.SkipWithError(report.Error->c_str());
  state.counters["removable"] = static_cast<double>(report.Indexes.size());
  state.counters["peak_mb"] = PeakMegabytes();
}
BENCHMARK(BM_RemovableRealistic)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace kerbwise

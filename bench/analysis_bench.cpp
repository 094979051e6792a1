#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/analyse_list.h"
#include "bench_lists.h"
#include "process_usage.h"

namespace kerbwise {
namespace {

using bench::Numbered;
using bench::RealisticList;

class AnswerNo final : public AnswerSource {
 public:
  bool Ask(const YesNoQuestion&) override { return false; }
};

// Every pair is compared in both directions and each comparison runs through
// protocol, addresses, precedence, TTL and both port conditions before the
// destination ports decide: no two lines share a port, though the span of
// each line's ports lies inside the span of every earlier line's.
std::vector<std::string> WorstCaseList(std::size_t count) {
  std::vector<std::string> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    entries.push_back("permit tcp any gt 1023 any eq " + std::to_string(i + 1) + " " +
                      std::to_string(65000 - i) + " precedence 5 ttl gt 10");
  }
  return Numbered(entries);
}

// Sets "reported", and "peak_mb", the process's peak so far: run a case
// alone to read its own.
void RunAnalysis(benchmark::State& state, const std::vector<std::string>& list,
                 const CheckOptions& options, const AnalysisRun& run = {}) {
  AnalysisResult result;
  for (auto _ : state) {
    LineRecognizer recognizer;
    recognizer.EmptyCache(list.size());
    AnswerNo answers;
    result = AnalyseList(list, options, recognizer, answers, {}, run);
    benchmark::DoNotOptimize(result);
  }
  if (result.Error) state.SkipWithError(result.Error->Message.c_str());
  const auto n = static_cast<std::int64_t>(list.size());
  state.SetItemsProcessed(n * (n - 1) / 2 * static_cast<std::int64_t>(state.iterations()));
  state.counters["reported"] = static_cast<double>(result.Lines.size());
  state.counters["peak_mb"] = bench::PeakMegabytes();
}

void BM_AnalyseRealistic(benchmark::State& state) {
  RunAnalysis(state, RealisticList(static_cast<std::size_t>(state.range(0))), CheckOptions{});
}
BENCHMARK(BM_AnalyseRealistic)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The same lists with every pair compared, as before the index: what it saves.
void BM_AnalyseRealisticEveryPair(benchmark::State& state) {
  RunAnalysis(state, RealisticList(static_cast<std::size_t>(state.range(0))), CheckOptions{},
              {.Indexed = false});
}
BENCHMARK(BM_AnalyseRealisticEveryPair)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// Addresses drawn at random, /16 to /32, some masks with holes: few pairs
// meet, and the index finds them among prefixes of every length.
void BM_AnalyseRandomAddresses(benchmark::State& state) {
  RunAnalysis(state, bench::RandomAddressList(static_cast<std::size_t>(state.range(0))),
              CheckOptions{});
}
BENCHMARK(BM_AnalyseRandomAddresses)
    ->Arg(30'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// Port sets compared in part and with any overlap: the slowest port test.
void BM_AnalyseWorstCase(benchmark::State& state) {
  CheckOptions options;
  options.PortsInSet = false;
  options.AnyPortOverlap = true;
  RunAnalysis(state, WorstCaseList(static_cast<std::size_t>(state.range(0))), options);
}
BENCHMARK(BM_AnalyseWorstCase)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// Identical entries: every pair relates and each line heads a group inside
// all the later ones, the densest web of groups a list can make.
void BM_AnalyseIdentical(benchmark::State& state) {
  const std::vector<std::string> entries(static_cast<std::size_t>(state.range(0)),
                                         "permit tcp any any eq 80");
  RunAnalysis(state, Numbered(entries), CheckOptions{});
}
BENCHMARK(BM_AnalyseIdentical)
    ->Arg(1'000)
    ->Arg(2'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kerbwise

#include <benchmark/benchmark.h>

#include "rules/line_recognizer.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

// Every line is new to the recognizer: the template is interpreted for each.
void BM_RecognizeDistinctColdCache(benchmark::State& state) {
  const auto lines = testing::SyntheticEntries(static_cast<std::size_t>(state.range(0)));
  const CheckOptions options;
  std::size_t recognised = 0;
  for (auto _ : state) {
    LineRecognizer recognizer;
    recognizer.EmptyCache(lines.size());  // sized for the list, as a normalisation does
    for (const std::string& line : lines) {
      recognised += recognizer.Recognize(line, options)->Status >= StatusPermit;
    }
  }
  if (recognised != lines.size() * state.iterations())
    state.SkipWithError("a line was not recognised");
  state.SetItemsProcessed(static_cast<std::int64_t>(lines.size() * state.iterations()));
}
BENCHMARK(BM_RecognizeDistinctColdCache)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The same lines again and again: every call is a cache hit.
void BM_RecognizeCached(benchmark::State& state) {
  const auto lines = testing::SyntheticEntries(1'000);
  const CheckOptions options;
  LineRecognizer recognizer;
  for (const std::string& line : lines) recognizer.Recognize(line, options);
  constexpr std::size_t kCalls = 1'000'000;
  for (auto _ : state) {
    for (std::size_t i = 0; i < kCalls; ++i) {
      benchmark::DoNotOptimize(recognizer.Recognize(lines[i % lines.size()], options));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(kCalls * state.iterations()));
}
BENCHMARK(BM_RecognizeCached)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "reflect/reflect_acl.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

constexpr std::size_t kListEntries = 100'000;

// The entries numbered 10, 20, ... as the list pane holds them.
std::vector<std::string> NumberedList(std::size_t count) {
  std::vector<std::string> lines = testing::SyntheticEntries(count);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i] = " " + std::to_string((i + 1) * 10) + " " + lines[i];
  }
  return lines;
}

// A fresh recognizer, as after a normalisation: every entry is recognised.
void BM_ReflectCold(benchmark::State& state) {
  const std::vector<std::string> list = NumberedList(kListEntries);
  const CheckOptions options;
  for (auto _ : state) {
    std::vector<std::string> reflected = ReflectACL(list, options);
    benchmark::DoNotOptimize(reflected);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(list.size() * state.iterations()));
}
BENCHMARK(BM_ReflectCold)->Unit(benchmark::kMillisecond);

// Every entry already recognised, as when the list was checked before.
void BM_ReflectWarm(benchmark::State& state) {
  const std::vector<std::string> list = NumberedList(kListEntries);
  const CheckOptions options;
  LineRecognizer recognizer;
  recognizer.EmptyCache(list.size());
  std::vector<std::string> reflected = ReflectACL(list, options, recognizer);
  for (auto _ : state) {
    reflected = ReflectACL(list, options, recognizer);
    benchmark::DoNotOptimize(reflected);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(list.size() * state.iterations()));
}
BENCHMARK(BM_ReflectWarm)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

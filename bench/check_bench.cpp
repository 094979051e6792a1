#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "check/check_condition.h"
#include "rules/address_sets.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

constexpr std::size_t kListEntries = 100'000;
constexpr const char* kCondition = "tcp host 10.1.0.1 192.168.5.0 0.0.0.255 eq 80";

// The entries laid out as the list pane holds them: numbered 10, 20, ... with
// the numbers ending in one column.
std::vector<std::string> ListPane(std::size_t count) {
  const std::vector<std::string> entries = testing::SyntheticEntries(count);
  const std::size_t width = std::to_string(count * 10).size();
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string number = std::to_string((i + 1) * 10);
    lines.push_back(" " + std::string(width - number.size(), ' ') + number + " " + entries[i]);
  }
  return lines;
}

void ReportCheck(benchmark::State& state, const CheckResult& result, std::size_t lines) {
  if (result.StoppedAt) state.SkipWithError(result.StoppedAt->Message.c_str());
  state.SetItemsProcessed(static_cast<std::int64_t>(lines * state.iterations()));
}

// Every entry already recognised: the check compares records only.
void BM_DirectCheckWarm(benchmark::State& state) {
  const std::vector<std::string> list = ListPane(kListEntries);
  const CheckOptions options;
  LineRecognizer recognizer;
  CheckResult report =
      CheckCondition(list, kCondition, CheckDirection::Direct, options, recognizer);
  for (auto _ : state) {
    report = CheckCondition(list, kCondition, CheckDirection::Direct, options, recognizer);
    benchmark::DoNotOptimize(report);
  }
  ReportCheck(state, report, list.size());
}
BENCHMARK(BM_DirectCheckWarm)->Unit(benchmark::kMillisecond);

// A fresh recognizer, as after a normalisation: every entry is recognised.
void BM_DirectCheckCold(benchmark::State& state) {
  const std::vector<std::string> list = ListPane(kListEntries);
  const CheckOptions options;
  CheckResult report;
  for (auto _ : state) {
    LineRecognizer recognizer;
    recognizer.EmptyCache(list.size() + 1);
    report = CheckCondition(list, kCondition, CheckDirection::Direct, options, recognizer);
    benchmark::DoNotOptimize(report);
  }
  ReportCheck(state, report, list.size());
}
BENCHMARK(BM_DirectCheckCold)->Unit(benchmark::kMillisecond);

// Every address against half the address space: 2^31 shared addresses that a
// walk would have to visit one by one.
void BM_AddrPartMatchAnyAgainstSlashOne(benchmark::State& state) {
  std::uint32_t ruleAddr = 0x80000000u;
  const std::uint32_t ruleMask = 0x80000000u;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ruleAddr);
    benchmark::DoNotOptimize(AddrPartMatch(ruleAddr, ruleMask, 0, 0, Language::English));
  }
}
BENCHMARK(BM_AddrPartMatchAnyAgainstSlashOne)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerbwise

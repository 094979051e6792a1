#include <benchmark/benchmark.h>

#include "intake/normalize_acl.h"
#include "rules/primitives.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

class NoAnswers final : public AnswerSource {
 public:
  bool Ask(const YesNoQuestion&) override { return false; }
};

void AppendNetworkGroup(std::vector<std::string>& objects, const std::string& name,
                        std::uint32_t base, std::size_t members) {
  objects.push_back("object-group network " + name);
  for (std::size_t i = 0; i < members; ++i) {
    objects.push_back("host " + ValToIP(base + static_cast<std::uint32_t>(i)));
  }
  objects.emplace_back();
}

void RunNormalize(benchmark::State& state, const std::vector<std::string>& source,
                  const std::vector<std::string>& objects, std::size_t expectedEntries) {
  NoAnswers answers;
  const CheckOptions options;
  for (auto _ : state) {
    const NormalizeResult result = NormalizeACL(source, objects, options, answers);
    if (result.ListLines.size() != expectedEntries) {
      state.SkipWithError("unexpected number of entries");
      break;
    }
    benchmark::DoNotOptimize(result.ListLines.size());
  }
  state.counters["entries"] = static_cast<double>(expectedEntries);
}

// One entry whose source and destination groups multiply into 100,200
// derived entries, among a few hundred plain ones.
void BM_NormalizeWideExpansion(benchmark::State& state) {
  std::vector<std::string> objects;
  AppendNetworkGroup(objects, "SOURCES", 0x0A000001, 300);
  AppendNetworkGroup(objects, "TARGETS", 0xC0A80001, 334);
  std::vector<std::string> source = {"ip access-list extended WIDE"};
  const std::vector<std::string> plain = testing::SyntheticEntries(300);
  source.insert(source.end(), plain.begin(), plain.begin() + 150);
  source.push_back("permit tcp object-group SOURCES object-group TARGETS eq 443");
  source.insert(source.end(), plain.begin() + 150, plain.end());
  RunNormalize(state, source, objects, 300 + 300 * 334);
}
BENCHMARK(BM_NormalizeWideExpansion)->Unit(benchmark::kMillisecond);

// 5,000 groups in a 50,000-line object pane, each referenced by one entry,
// in an order that jumps about the pane.
void BM_NormalizeManyGroups(benchmark::State& state) {
  constexpr std::size_t kGroups = 5'000;
  constexpr std::size_t kMembers = 9;
  std::vector<std::string> objects;
  for (std::size_t g = 0; g < kGroups; ++g) {
    AppendNetworkGroup(objects, "G" + std::to_string(g),
                       0x0A000000 + static_cast<std::uint32_t>(g << 8), kMembers);
    objects.pop_back();  // headers follow each other directly: 10 lines a group
  }
  std::vector<std::string> source;
  for (std::size_t i = 0; i < kGroups; ++i) {
    const std::size_t g = (i * 2'654'435'761u) % kGroups;  // a scattered permutation
    source.push_back("permit tcp any object-group G" + std::to_string(g) + " eq 22");
  }
  RunNormalize(state, source, objects, kGroups * kMembers);
}
BENCHMARK(BM_NormalizeManyGroups)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kerbwise

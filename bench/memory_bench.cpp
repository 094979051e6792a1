// Peak memory of the command line on very large pastes, against the size of
// the paste. Every allocation of the program goes through the counting
// operators below; a run reports the highest number of bytes it held at once
// beyond what was held when it started. A run above its bound of bytes per
// input byte is reported as an error: 4 for the commands on a million lines,
// 20 for the rest; the analysis, whose report grows with the relations it
// finds rather than with the input, is held to 1 GB instead.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench_lists.h"
#include "big_pastes.h"
#include "run_cli.h"

namespace {

using kerbwise::testing::ShowOutput;
using kerbwise::testing::Unnumbered;

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  const std::size_t live =
      liveBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) +
      malloc_usable_size(block);
  std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  while (live > peak && !peakBytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return block;
}

void Release(void* block) noexcept {
  if (!block) return;
  liveBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

namespace kerbwise {
namespace {

constexpr double kMostBytesPerInputByte = 20.0;
constexpr double kMostAnalysisBytes = 1024.0 * 1024 * 1024;
constexpr double kMostBytesPerInputByteOnMillionLines = 4.0;

// Standard output that counts what is written and keeps none of it: the
// command line writes to a terminal or a file, whose storage is not its own.
class DiscardingBuffer final : public std::streambuf {
 public:
  std::size_t Written() const { return written_; }

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++written_;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize count) override {
    written_ += static_cast<std::size_t>(count);
    return count;
  }

 private:
  std::size_t written_ = 0;
};

// One entry of a megabyte: a port list.
std::string LongEntry() {
  std::string text = "permit tcp any any eq 80";
  while (text.size() < 1024 * 1024) text += " 80";
  return text + "\ndeny ip any any\n";
}

// Runs kerbwise-cli on `input` as standard input and reports the peak number
// of bytes held during the run, and that figure per byte of input.
void RunMeasured(benchmark::State& state, std::vector<std::string> args, const std::string& input,
                 double bound = kMostBytesPerInputByte) {
  double worst = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto in = std::make_unique<std::istringstream>(input);
    DiscardingBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    const std::size_t before = liveBytes.load();
    peakBytes.store(before);
    state.ResumeTiming();

    const int status = kerbwise::cli::RunCli(args, *in, out, err);

    state.PauseTiming();
    worst = std::max(worst, static_cast<double>(peakBytes.load() - before));
    if (status == 2) state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(sink.Written());
    in.reset();
    state.ResumeTiming();
  }
  const double ratio = worst / static_cast<double>(input.size());
  state.counters["input_MB"] = static_cast<double>(input.size()) / (1 << 20);
  state.counters["peak_MB"] = worst / (1 << 20);
  state.counters["peak_per_input_byte"] = ratio;
  if (ratio > bound) {
    const std::string message = "peak memory of " + std::to_string(ratio) +
                                " bytes per input byte, above " + std::to_string(bound);
    state.SkipWithError(message.c_str());
  }
}

void BM_PeakMemoryNormalizeTenMegabytes(benchmark::State& state) {
  RunMeasured(state, {"normalize"}, ShowOutput(10 << 20));
}
BENCHMARK(BM_PeakMemoryNormalizeTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryNormalizeMillionLines(benchmark::State& state) {
  RunMeasured(state, {"normalize"}, Unnumbered(1'000'000), kMostBytesPerInputByteOnMillionLines);
}
BENCHMARK(BM_PeakMemoryNormalizeMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryNormalizeLongLine(benchmark::State& state) {
  RunMeasured(state, {"normalize"}, LongEntry());
}
BENCHMARK(BM_PeakMemoryNormalizeLongLine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryCheckTenMegabytes(benchmark::State& state) {
  RunMeasured(state, {"check", "tcp any any eq 22"}, ShowOutput(10 << 20));
}
BENCHMARK(BM_PeakMemoryCheckTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryCheckMillionLines(benchmark::State& state) {
  RunMeasured(state, {"check", "udp any any"}, Unnumbered(1'000'000),
              kMostBytesPerInputByteOnMillionLines);
}
BENCHMARK(BM_PeakMemoryCheckMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryCheckLongLine(benchmark::State& state) {
  RunMeasured(state, {"check", "tcp any any eq 80 80"}, LongEntry());
}
BENCHMARK(BM_PeakMemoryCheckLongLine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemorySortMillionLines(benchmark::State& state) {
  RunMeasured(state, {"sort", "--key", "proto,dst-opt"}, Unnumbered(1'000'000),
              kMostBytesPerInputByteOnMillionLines);
}
BENCHMARK(BM_PeakMemorySortMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PeakMemoryReflectMillionLines(benchmark::State& state) {
  RunMeasured(state, {"reflect"}, Unnumbered(1'000'000), kMostBytesPerInputByteOnMillionLines);
}
BENCHMARK(BM_PeakMemoryReflectMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);

// The JSON report of an analysis of a realistic list of the given length.
void BM_PeakMemoryAnalyzeJson(benchmark::State& state) {
  std::string input;
  for (const std::string& line : bench::RealisticList(static_cast<std::size_t>(state.range(0)))) {
    input += line + '\n';
  }
  RunMeasured(state, {"--json", "analyze"}, input,
              kMostAnalysisBytes / static_cast<double>(input.size()));
}
BENCHMARK(BM_PeakMemoryAnalyzeJson)
    ->Arg(30'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace kerbwise

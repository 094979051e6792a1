#include "run/progress_pacer.h"

#include <algorithm>

namespace kerbwise {
namespace {

// Ticks between two looks at the clock: a tick costs a few nanoseconds, a
// look at the clock some tens.
constexpr unsigned kTicksPerLook = 256;

}  // namespace

void ProgressPacer::Report(int percent) {
  if (!callback_) return;
  if (percent != last_ || Due()) Call(percent);
}

void ProgressPacer::Report(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return;
  Report(static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total));
}

void ProgressPacer::Tick() {
  if (!callback_ || ++ticks_ % kTicksPerLook != 0) return;
  if (Due()) Call(std::max(last_, 0));
}

bool ProgressPacer::Due() const {
  return std::chrono::steady_clock::now() - lastCall_ >= kProgressInterval;
}

void ProgressPacer::Call(int percent) {
  last_ = percent;
  callback_(percent);
  // Measured after the call: time the callback spends is not the run's.
  lastCall_ = std::chrono::steady_clock::now();
}

}  // namespace kerbwise

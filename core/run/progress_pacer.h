#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "run/run_hooks.h"

namespace kerbwise {

// How long a run goes at most without calling its progress callback.
inline constexpr std::chrono::milliseconds kProgressInterval{40};

// Paces a run's calls of its progress callback: the callback hears of every
// change of the share done and, while the share stands still, again once
// kProgressInterval has passed, so that a desktop can handle its messages
// even when a whole percent takes long. Cheap enough to call for every item.
class ProgressPacer {
 public:
  explicit ProgressPacer(ProgressCallback callback) : callback_(std::move(callback)) {}

  // The share done is `percent` (0-100).
  void Report(int percent);
  // `done` of `total` items are done; nothing when there are none.
  void Report(std::uint64_t done, std::uint64_t total);
  // A step inside a long item, such as a comparison while sorting: the share
  // stays as it was. Looks at the clock only now and then.
  void Tick();
  // A new phase starts from 0.
  void Restart() { Report(0); }

 private:
  bool Due() const;
  void Call(int percent);

  ProgressCallback callback_;
  int last_ = -1;
  unsigned ticks_ = 0;
  std::chrono::steady_clock::time_point lastCall_ = std::chrono::steady_clock::now();
};

}  // namespace kerbwise

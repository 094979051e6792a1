#include "run/progress_pacer.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace kerbwise {
namespace {

// Every change of the share is heard once, however often it is reported;
// a share that stands still is heard again once the interval has passed,
// from a report or from a tick.
TEST(ProgressPacer, ChangesOnceAndStillnessAfterTheInterval) {
  std::vector<int> heard;
  ProgressPacer pacer([&](int percent) { heard.push_back(percent); });
  pacer.Restart();
  for (std::uint64_t done = 0; done <= 1000; ++done) pacer.Report(done, 1000);
  pacer.Report(7, 0);  // nothing to do: nothing heard
  std::vector<int> everyShare;
  for (int percent = 0; percent <= 100; ++percent) everyShare.push_back(percent);
  EXPECT_EQ(heard, everyShare);

  heard.clear();
  std::this_thread::sleep_for(kProgressInterval + std::chrono::milliseconds(10));
  pacer.Report(100);
  EXPECT_EQ(heard, std::vector<int>{100});
  std::this_thread::sleep_for(kProgressInterval + std::chrono::milliseconds(10));
  for (int tick = 0; tick < 1000; ++tick) pacer.Tick();
  EXPECT_EQ(heard, (std::vector<int>{100, 100}));
}

}  // namespace
}  // namespace kerbwise

// The wall clock, in a process of its own: nothing else here reads it first.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "bem/platform/platform.h"

namespace {

TEST(ImpressaoWallClock, FirstReadingIsZeroAndLaterOnesCountSeconds) {
  EXPECT_EQ(bem::platform::wall_clock(), 0.0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const double later = bem::platform::wall_clock();
  EXPECT_GE(later, 0.19);  // the 100 ns ticks are scaled to seconds, not to milliseconds
  EXPECT_LT(later, 30.0);

  // Readings from several threads at once: all after the origin, none reset it.
  std::vector<double> readings(8, -1.0);
  std::vector<std::thread> threads;
  for (double& r : readings) threads.emplace_back([&r] { r = bem::platform::wall_clock(); });
  for (std::thread& t : threads) t.join();
  for (const double r : readings) EXPECT_GE(r, later);
}

}  // namespace

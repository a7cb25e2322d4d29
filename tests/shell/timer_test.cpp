// The forms timer on the Qt backend: ticks only while enabled, to its latest
// handler, which can stop its own timer; enabling an enabled timer keeps its
// count.
#include <gtest/gtest.h>

#include <chrono>

#include "saver/forms/timer.h"
#include "tests/support/wait.h"

namespace orvanth::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool time_passes(milliseconds span) {
  const auto until = Clock::now() + span;
  return wait_for([&] { return Clock::now() >= until; }, span * 4);
}

TEST(FormsTimer, TicksTheLatestHandlerWhileEnabledUntilItStopsTheTimer) {
  forms::Timer timer;
  timer.set_interval(30);
  EXPECT_EQ(timer.interval(), 30);
  int ticks = 0;
  timer.on_tick([] { ADD_FAILURE() << "a replaced handler ran"; });
  timer.on_tick([&] {
    if (++ticks == 3) {
      timer.set_enabled(false);
    }
  });
  ASSERT_TRUE(time_passes(milliseconds(100)));
  EXPECT_EQ(ticks, 0) << "ticked before it was enabled";
  timer.set_enabled(true);
  ASSERT_TRUE(wait_for([&] { return !timer.enabled(); }, milliseconds(10000)));
  ASSERT_TRUE(time_passes(milliseconds(150)));
  EXPECT_EQ(ticks, 3);
}

TEST(FormsTimer, EnablingAnEnabledTimerDoesNotRestartItsCount) {
  forms::Timer timer;
  timer.set_interval(100);
  int ticks = 0;
  timer.on_tick([&] { ++ticks; });
  timer.set_enabled(true);
  // Enabled again at every poll (20 ms): a restart would never let it tick.
  const auto until = Clock::now() + milliseconds(1000);
  ASSERT_TRUE(wait_for(
      [&] {
        timer.set_enabled(true);
        return Clock::now() >= until;
      },
      milliseconds(5000)));
  EXPECT_GE(ticks, 1);
  timer.set_enabled(false);
}

}  // namespace
}  // namespace orvanth::test

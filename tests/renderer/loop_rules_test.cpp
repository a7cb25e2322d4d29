// The frame loop's rules: smoothing, tick wrap, the 30-pixel mouse test, the
// Escape latch.
#include <gtest/gtest.h>

#include "renderer/loop_rules.h"

#include <cstdint>
#include <limits>

#include "renderer/render_window.h"

using orvanth::cursor_moved_far;
using orvanth::elapsed_ticks;
using orvanth::smooth_scene_time;

TEST(SceneTime, TrailsTheElapsedTimeByHalvingTheGap) {
  std::int32_t t = 0;
  t = smooth_scene_time(t, 100);
  EXPECT_EQ(t, 50);
  t = smooth_scene_time(t, 100);
  EXPECT_EQ(t, 75);
  t = smooth_scene_time(t, 101);
  EXPECT_EQ(t, 88);  // 176 / 2
  t = smooth_scene_time(t, 0);
  EXPECT_EQ(t, 44);
  // Truncation is toward zero, not down.
  EXPECT_EQ(smooth_scene_time(-3, 0), -1);
  // The sum is formed in 64 bits: no overflow at the top of both ranges.
  EXPECT_EQ(smooth_scene_time(std::numeric_limits<std::int32_t>::max(), 0x7FFFFFFFU),
            std::numeric_limits<std::int32_t>::max());
}

TEST(SceneTime, TickDifferenceWrapsAt32Bits) {
  EXPECT_EQ(elapsed_ticks(0x10U, 0xFFFFFFF0U), 0x20U);
  EXPECT_EQ(elapsed_ticks(5000U, 1000U), 4000U);
  const std::uint32_t a = orvanth::window::tick();
  const std::uint32_t b = orvanth::window::tick();
  EXPECT_LT(elapsed_ticks(b, a), 1000U) << "the tick must not run backwards";
}

TEST(MouseTest, EndsOnlyWhenBothAxesMoveMoreThan30) {
  EXPECT_TRUE(cursor_moved_far(100, 100, 131, 131));
  EXPECT_TRUE(cursor_moved_far(100, 100, 69, 69));
  EXPECT_TRUE(cursor_moved_far(100, 100, 131, 60));
  EXPECT_FALSE(cursor_moved_far(100, 100, 130, 131));
  EXPECT_FALSE(cursor_moved_far(100, 100, 131, 130));
  EXPECT_FALSE(cursor_moved_far(100, 100, 200, 100));
  EXPECT_FALSE(cursor_moved_far(100, 100, 100, 1000));
}

TEST(EscapeLatch, APressCountsOnceEvenWhenReleasedBeforeTheCheck) {
  orvanth::EscapeLatch latch;
  EXPECT_FALSE(latch.take());
  latch.key(orvanth::kVirtualKeyEscape, true);
  latch.key(orvanth::kVirtualKeyEscape, false);
  EXPECT_TRUE(latch.take());
  EXPECT_FALSE(latch.take()) << "the check clears it";
  latch.key('A', true);
  latch.key(orvanth::kVirtualKeyEscape, false);
  EXPECT_FALSE(latch.take()) << "other keys and releases do not set it";
}

TEST(FramePacing, PeriodFromTheRefreshRateElse60Hz) {
  const struct {
    double hz;
    std::int64_t period_us;
  } cases[] = {{60.0, 16667},
               {144.0, 6944},
               {59.94, 16683},
               {0.0, 16667},
               {1.0, 16667},
               {1e9, 16667},
               {std::numeric_limits<double>::quiet_NaN(), 16667}};
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::frame_period_us(c.hz), c.period_us) << c.hz;
  }
}

TEST(FramePacing, AFrameIsDueOnePeriodAfterThePreviousBegan) {
  orvanth::FramePacer paced(16667);
  orvanth::FramePacer unpaced(0);
  EXPECT_EQ(paced.wait_us(1000), 0) << "the first frame at once";
  paced.frame_started(1000);
  unpaced.frame_started(1000);
  const struct {
    std::int64_t now;
    std::int64_t wait;
  } after_start[] = {{1000, 16667}, {10000, 7667}, {17666, 1}, {17667, 0}, {90000, 0}};
  for (const auto& c : after_start) {
    EXPECT_EQ(paced.wait_us(c.now), c.wait) << c.now;
    EXPECT_EQ(unpaced.wait_us(c.now), 0) << c.now;
  }
  // A late frame is not followed by a hurried one.
  paced.frame_started(90000);
  EXPECT_EQ(paced.wait_us(90001), 16666);
}

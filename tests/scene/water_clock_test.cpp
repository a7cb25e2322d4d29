// The pool's pace: steps by SceneTime, whatever the frame rate.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "renderer/loop_rules.h"
#include "renderer/scene/planets.h"
#include "renderer/scene/water.h"
#include "renderer/scene/water_clock.h"

namespace {

using orvanth::water_steps_due;

struct PoolRun {
  std::vector<float> heights;
  int most_in_a_frame = 0;
  int frames_without = 0;
};

// Frames every frame_us microseconds through the loop's smoothing, then one
// at exactly end_time; the pool checked against the rule after every frame.
PoolRun run_at(std::int64_t frame_us, std::int32_t end_time) {
  orvanth::clear_water();
  pool_clock = {};
  orvanth::reset_planets();
  orvanth::set_speeds({1.0F, 0.2F, 0.5F, 0.8F, 1.1F, 0.35F});
  PoolRun run;
  std::int32_t scene_time = 0;
  auto frame = [&](std::int32_t time) {
    const int steps = orvanth::advance_water_to(time);
    EXPECT_EQ(pool_clock.stepped, water_steps_due(time)) << "at " << time;
    run.most_in_a_frame = std::max(run.most_in_a_frame, steps);
    // Once the first step is due, a frame without one came early.
    run.frames_without += steps == 0 && pool_clock.stepped > 0 ? 1 : 0;
  };
  for (std::int64_t n = 1; scene_time < end_time - 100; ++n) {
    const auto tick = static_cast<std::uint32_t>(n * frame_us / 1000);
    scene_time = orvanth::smooth_scene_time(scene_time, tick);
    frame(scene_time);
  }
  frame(end_time);
  run.heights.assign(&HeightGrid[0][0], &HeightGrid[0][0] + sizeof HeightGrid / sizeof(float));
  return run;
}

TEST(WaterClock, TheSameStepsAndRipplesAfterASceneTimeAtAnyFrameRate) {
  constexpr std::int32_t kEnd = 2500;
  const PoolRun reference = run_at(16667, kEnd);
  EXPECT_EQ(pool_clock.stepped, 150);
  const struct {
    const char* rate;
    std::int64_t frame_us;
    int most_in_a_frame;  // at least
    bool frames_without;
  } cases[] = {
      {"30 fps", 33333, 2, false},
      {"144 fps", 6944, 1, true},
      {"unpaced", 400, 1, true},
  };
  for (const auto& c : cases) {
    const PoolRun run = run_at(c.frame_us, kEnd);
    EXPECT_EQ(pool_clock.stepped, 150) << c.rate;
    EXPECT_GE(run.most_in_a_frame, c.most_in_a_frame) << c.rate;
    EXPECT_EQ(run.frames_without > 0, c.frames_without) << c.rate;
    EXPECT_EQ(std::memcmp(run.heights.data(), reference.heights.data(),
                          reference.heights.size() * sizeof(float)),
              0)
        << c.rate << ": the ripples differ";
  }
  EXPECT_NE(HeightGrid[32 - 10][31], 0.0F) << "the ripples spread";
}

TEST(WaterClock, EarlyLateStalledAndBackwards) {
  orvanth::WaterClock clock;
  const struct {
    const char* what;
    std::int32_t scene_time;
    std::int64_t first;
    int count;
  } frames[] = {
      {"early", 16, 1, 0},
      {"the first due", 17, 1, 1},
      {"late: several", 60, 2, 2},
      {"stalled: the newest eight", 5000, 293, 8},
      {"after the stall", 5017, 301, 1},
      {"back", 1000, 61, 0},
      {"on from there", 1017, 61, 1},
  };
  std::int64_t stepped = 0;
  for (const auto& f : frames) {
    const orvanth::WaterSteps steps = orvanth::take_water_steps(clock, f.scene_time);
    EXPECT_EQ(steps.count, f.count) << f.what;
    if (f.count > 0) {
      EXPECT_EQ(steps.first, f.first) << f.what;
    }
    stepped += steps.count;
    EXPECT_EQ(clock.stepped, stepped) << f.what;
  }
  EXPECT_EQ(orvanth::water_step_time(1), 17);
  EXPECT_EQ(orvanth::water_step_time(60), 1000);
}

}  // namespace

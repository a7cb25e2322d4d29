// The pool's pace: a fixed number of steps per second of SceneTime, so the
// ripples spread at the same speed at any frame rate. Plain C++, no GL.
#pragma once

#include <cstdint>

namespace orvanth {

inline constexpr int kWaterStepsPerSecond = 60;
// A frame takes at most this many steps; a machine that stalls drops the
// rest instead of spending ever longer frames catching up (full speed down
// to 7.5 frames a second).
inline constexpr int kMostWaterStepsPerFrame = 8;

// Steps fallen due by a scene time in milliseconds: one each 1/60 s.
constexpr std::int64_t water_steps_due(std::int32_t scene_time) {
  return scene_time <= 0 ? 0 : std::int64_t{scene_time} * kWaterStepsPerSecond / 1000;
}

// The scene time at which step n (counted from 1) falls due.
constexpr std::int32_t water_step_time(std::int64_t step) {
  return static_cast<std::int32_t>((step * 1000 + kWaterStepsPerSecond - 1) / kWaterStepsPerSecond);
}

struct WaterClock {
  std::int64_t reached = 0;  // the steps due by the last scene time seen
  std::int64_t stepped = 0;  // the steps really taken, dropped ones not counted
};

// The steps to take now, numbered first to first + count - 1.
struct WaterSteps {
  std::int64_t first;
  int count;
};

// The steps fallen due since the last call, at most kMostWaterStepsPerFrame
// of them (the newest; older ones are dropped); none when the scene time is
// early or went back, which the clock then follows.
WaterSteps take_water_steps(WaterClock& clock, std::int32_t scene_time);

}  // namespace orvanth

// The pool's clock, held for the whole run; SetupScene resets it.
extern orvanth::WaterClock pool_clock;

namespace orvanth {

// Brings the pool up to a scene time: before each step due, the planets
// touching the water at that step's time start their ripples; then the
// vertices and normals are rebuilt. Returns the steps taken.
int advance_water_to(std::int32_t scene_time);

}  // namespace orvanth

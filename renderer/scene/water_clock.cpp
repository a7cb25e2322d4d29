#include "renderer/scene/water_clock.h"

#include <algorithm>

#include "renderer/scene/planets.h"
#include "renderer/scene/water.h"

orvanth::WaterClock pool_clock;

namespace orvanth {

WaterSteps take_water_steps(WaterClock& clock, std::int32_t scene_time) {
  const std::int64_t due = water_steps_due(scene_time);
  if (due <= clock.reached) {
    clock.reached = due;
    return {due + 1, 0};
  }
  const std::int64_t count = std::min<std::int64_t>(due - clock.reached, kMostWaterStepsPerFrame);
  clock.reached = due;
  clock.stepped += count;
  return {due - count + 1, static_cast<int>(count)};
}

int advance_water_to(std::int32_t scene_time) {
  const WaterSteps steps = take_water_steps(pool_clock, scene_time);
  for (int k = 0; k < steps.count; ++k) {
    start_ripples_at(water_step_time(steps.first + k));
    step_water();
  }
  build_water_vertices();
  build_water_normals();
  return steps.count;
}

}  // namespace orvanth

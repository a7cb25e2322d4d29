// The planets' bounce. Heights and scales are worked out in double precision
// and stored as floats.
#include "renderer/scene/planets.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>

#include "renderer/scene/water.h"

orvanth::Planet PlanetState[orvanth::kPlanetCount];

namespace orvanth {

namespace {
constexpr double kBounceAmplitude = 1.6;
constexpr double kPhaseDivisor = 24.0;
// |sin(angle / 24)| repeats after this much phase.
constexpr double kBouncePeriod = kPhaseDivisor * std::numbers::pi;
constexpr float kMinSpeed = 0.2F;
constexpr float kSpeedLimit = 1.2F;
}  // namespace

float bounce_height(float angle) {
  return static_cast<float>(std::fabs(std::sin(angle / kPhaseDivisor) * kBounceAmplitude));
}

void apply_bounce(Planet& planet, bool start_ripple) {
  if (planet.height < kTouchHeight) {
    if (start_ripple) {
      StartRipple(planet.ripple_row, planet.ripple_column);
    }
    planet.height_scale = static_cast<float>(kRestScale / ((kTouchHeight - planet.height) + 1.0));
  } else {
    planet.height_scale = kRestScale;
  }
  planet.width_scale = kRestScale;
}

float bounce_phase(std::int32_t scene_time, float speed) {
  // The float phase would grow without bound and, after some hours, step
  // visibly from frame to frame; whole periods change nothing on screen.
  const double phase = static_cast<double>(scene_time) / 60.0 * speed;
  return static_cast<float>(std::fmod(phase, kBouncePeriod));
}

void choose_speeds() {
  const auto seed = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::mt19937 generator(static_cast<std::mt19937::result_type>(seed));
  for (Planet& planet : PlanetState) {
    // 24 random bits give a float in [0, 1) without rounding up to 1.
    const float unit = static_cast<float>(generator() >> 8U) * 0x1p-24F;
    planet.speed = std::min(unit + kMinSpeed, std::nextafter(kSpeedLimit, 0.0F));
  }
}

void set_speeds(const std::array<float, kPlanetCount>& speeds) {
  for (int p = 0; p < kPlanetCount; ++p) {
    PlanetState[p].speed = speeds[static_cast<std::size_t>(p)];
  }
}

void reset_planets() {
  choose_speeds();
  for (int p = 0; p < kPlanetCount; ++p) {
    PlanetState[p].ripple_row = kPlanetTable[static_cast<std::size_t>(p)].ripple_row;
    PlanetState[p].ripple_column = kPlanetTable[static_cast<std::size_t>(p)].ripple_column;
  }
}

namespace {

void set_planets(std::int32_t scene_time, bool start_ripples) {
  for (Planet& planet : PlanetState) {
    planet.angle = bounce_phase(scene_time, planet.speed);
  }
  for (Planet& planet : PlanetState) {
    planet.height = bounce_height(planet.angle);
    apply_bounce(planet, start_ripples);
  }
}

}  // namespace

void update_planets(std::int32_t scene_time) { set_planets(scene_time, true); }

void pose_planets(std::int32_t scene_time) { set_planets(scene_time, false); }

void start_ripples_at(std::int32_t scene_time) {
  for (const Planet& planet : PlanetState) {
    if (bounce_height(bounce_phase(scene_time, planet.speed)) < kTouchHeight) {
      StartRipple(planet.ripple_row, planet.ripple_column);
    }
  }
}

}  // namespace orvanth

// The six bouncing planets: their fixed table and the per-frame bounce
// update. Plain C++, no GL.
#pragma once

#include <array>
#include <cstdint>

namespace orvanth {

inline constexpr int kPlanetCount = 6;

// One planet's animation record; every field is 4 bytes.
struct Planet {
  float height;        // bounce height above the water, 0 to 1.6
  float angle;         // bounce phase, SceneTime / 60 * speed
  float width_scale;   // horizontal scale before the size factor
  float height_scale;  // vertical scale before the size factor
  float speed;         // chosen once at start, in [0.2, 1.2)
  std::int32_t ripple_row;
  std::int32_t ripple_column;
};

// Fixed placement of one planet. x and z are in the planet's own scaled frame.
struct PlanetPlace {
  float size;
  float x;
  float z;
  std::int32_t ripple_row;
  std::int32_t ripple_column;
};

inline constexpr std::array<PlanetPlace, kPlanetCount> kPlanetTable = {{
    {1.3F, 0.0F, 0.0F, 32, 31},
    {1.0F, 0.7F, 0.7F, 36, 37},
    {1.1F, 1.6F, -0.7F, 42, 27},
    {1.5F, -1.0F, -1.0F, 23, 24},
    {2.0F, -1.0F, 1.0F, 20, 45},
    {1.9F, 1.7F, 0.9F, 51, 44},
}};

// Below this height a planet touches the water, squashes and starts a ripple.
inline constexpr double kTouchHeight = 0.11;
inline constexpr float kRestScale = 0.5F;

// Bounce height for a phase: |sin(angle / 24) * 1.6|.
float bounce_height(float angle);

// Sets the bounce of one planet from its height: squash (and, unless told
// not to, a ripple) when it touches the water, the rest scale otherwise.
void apply_bounce(Planet& planet, bool start_ripple = true);

// Bounce speeds in [0.2, 1.2) from a generator seeded by a high-resolution
// clock.
void choose_speeds();

// Fixes the speeds, for a repeatable picture.
void set_speeds(const std::array<float, kPlanetCount>& speeds);

}  // namespace orvanth

// Module state of the planets, held for the whole run.
extern orvanth::Planet PlanetState[orvanth::kPlanetCount];

namespace orvanth {

// Speeds from the clock and ripple cells from the table.
void reset_planets();

// Phase, height and scales of every planet for a scene time in milliseconds;
// planets that touch the water start their ripples.
void update_planets(std::int32_t scene_time);

// The same without the ripples, for drawing: the pool starts them at its
// own steps' times (advance_water_to).
void pose_planets(std::int32_t scene_time);

// The planets touching the water at a scene time start their ripples; their
// records stay as they are.
void start_ripples_at(std::int32_t scene_time);

// The phase for a scene time, reduced by whole bounce periods so that it stays
// precise however long the saver runs.
float bounce_phase(std::int32_t scene_time, float speed);

}  // namespace orvanth

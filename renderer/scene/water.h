// The ripple pool: a 64 x 64 height field with its velocities, and the mesh
// (vertices and normals) rebuilt from it every frame. Plain C++, no GL.
#pragma once

#include <cstdint>

namespace orvanth {
inline constexpr int kWaterCells = 64;
}  // namespace orvanth

// The pool's module state and StartRipple are global, under the names the
// scene uses everywhere; the helpers below are in namespace orvanth.

// Module state of the pool, held for the whole run, indexed [row i][column j].
extern float HeightGrid[orvanth::kWaterCells][orvanth::kWaterCells];
extern float VelocityGrid[orvanth::kWaterCells][orvanth::kWaterCells];
extern float WaterVertices[orvanth::kWaterCells][orvanth::kWaterCells][3];
extern float WaterNormals[orvanth::kWaterCells][orvanth::kWaterCells][3];
// Share of the velocity kept after each step.
extern float WaterDamping;

// Sets the velocity of one cell to 1000 (assignment, not addition). Cells
// outside the grid are ignored.
void StartRipple(std::int32_t row, std::int32_t column);

namespace orvanth {

// Both grids back to still water.
void clear_water();

// One simulation step of the interior cells (rows and columns 2 to 61).
void step_water();

// WaterVertices and WaterNormals from the current heights.
void build_water_vertices();
void build_water_normals();

// Length of the interior normal (x, -2048, z): the square root of the
// extended-precision sum of squares, rounded to a float.
float extended_normal_length(float x, float z);

// The float length from one computed in double precision, falling back to
// extended_normal_length where the double could round the other way.
float round_normal_length(double quick, float x, float z);

// The whole per-frame update: step, then vertices and normals.
void advance_water();

}  // namespace orvanth

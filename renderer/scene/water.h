// The ripple pool: a 64 x 64 height field with its velocities, and the mesh
// (vertices and normals) rebuilt from it every frame. Plain C++, no GL.
#pragma once

#include <cstdint>

namespace orvanth {
inline constexpr int kWaterCells = 64;
}  // namespace orvanth

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
void ClearWater();

// One simulation step of the interior cells (rows and columns 2 to 61).
void StepWater();

// WaterVertices and WaterNormals from the current heights.
void BuildWaterVertices();
void BuildWaterNormals();

// Length of the interior normal (x, -2048, z): the square root of the
// extended-precision sum of squares, rounded to a float.
float ExtendedNormalLength(float x, float z);

// The float length from one computed in double precision, falling back to
// ExtendedNormalLength where the double could round the other way.
float RoundNormalLength(double quick, float x, float z);

// The whole per-frame update: step, then vertices and normals.
void AdvanceWater();

}  // namespace orvanth

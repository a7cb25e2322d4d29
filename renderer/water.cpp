// The ripple pool. Intermediate arithmetic is extended precision (long double)
// and every store is a 32-bit float, so the pool evolves the same way on every
// machine with an x87-style extended type.
#include "water.h"

#include <cmath>

namespace {
constexpr int kLast = orvanth::kWaterCells - 1;
// Rows and columns 0, 1, 62 and 63 stay as they are.
constexpr int kFirstMoving = 2;
constexpr int kLastMoving = orvanth::kWaterCells - 3;
constexpr float kRippleVelocity = 1000.0F;
}  // namespace

float HeightGrid[orvanth::kWaterCells][orvanth::kWaterCells];
float VelocityGrid[orvanth::kWaterCells][orvanth::kWaterCells];
float WaterVertices[orvanth::kWaterCells][orvanth::kWaterCells][3];
float WaterNormals[orvanth::kWaterCells][orvanth::kWaterCells][3];
float WaterDamping = 0.96F;

void StartRipple(std::int32_t row, std::int32_t column) {
  if (row < 0 || row > kLast || column < 0 || column > kLast) {
    return;
  }
  VelocityGrid[row][column] = kRippleVelocity;
}

namespace orvanth {

void ClearWater() {
  for (int i = 0; i < kWaterCells; ++i) {
    for (int j = 0; j < kWaterCells; ++j) {
      HeightGrid[i][j] = 0.0F;
      VelocityGrid[i][j] = 0.0F;
    }
  }
}

namespace {

using Ext = long double;

// S: four times the edge neighbours plus the corner neighbours, summed in
// this order.
Ext NeighbourSum(int i, int j) {
  const auto& h = HeightGrid;
  const Ext edges = static_cast<Ext>(h[i - 1][j]) + h[i + 1][j] + h[i][j - 1] + h[i][j + 1];
  return 4 * edges + h[i - 1][j - 1] + h[i + 1][j - 1] + h[i - 1][j + 1] + h[i + 1][j + 1];
}

void StepVelocities() {
  for (int i = kFirstMoving; i <= kLastMoving; ++i) {
    for (int j = kFirstMoving; j <= kLastMoving; ++j) {
      const Ext pull = (static_cast<Ext>(HeightGrid[i][j]) - NeighbourSum(i, j) / 25) / 7;
      VelocityGrid[i][j] = static_cast<float>(VelocityGrid[i][j] + pull);
    }
  }
}

void StepHeights() {
  for (int i = kFirstMoving; i <= kLastMoving; ++i) {
    for (int j = kFirstMoving; j <= kLastMoving; ++j) {
      HeightGrid[i][j] = static_cast<float>(static_cast<Ext>(HeightGrid[i][j]) - VelocityGrid[i][j]);
      VelocityGrid[i][j] = static_cast<float>(static_cast<Ext>(VelocityGrid[i][j]) * WaterDamping);
    }
  }
}

// Pool coordinate of row or column n: -2.5 at 0, 2.5 at 63.
float PoolCoordinate(int n) {
  return static_cast<float>((n - static_cast<Ext>(31.5)) / 63 * 5);
}

void SetNormal(float* out, float x, float y, float z) {
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

}  // namespace

void StepWater() {
  StepVelocities();
  StepHeights();
}

void BuildWaterVertices() {
  for (int i = 0; i < kWaterCells; ++i) {
    const float x = PoolCoordinate(i);
    for (int j = 0; j < kWaterCells; ++j) {
      float* v = WaterVertices[i][j];
      v[0] = x;
      v[1] = static_cast<float>(static_cast<Ext>(HeightGrid[i][j]) / 1024 / 63 * 3);
      v[2] = PoolCoordinate(j);
    }
  }
}

void BuildWaterNormals() {
  const auto& h = HeightGrid;
  for (int i = 0; i < kWaterCells; ++i) {
    for (int j = 0; j < kWaterCells; ++j) {
      float* n = WaterNormals[i][j];
      if (i == 0 || j == 0 || i == kLast || j == kLast) {
        SetNormal(n, 0.0F, 1.0F, 0.0F);
        continue;
      }
      const float x = static_cast<float>(static_cast<Ext>(h[i + 1][j]) - h[i - 1][j]);
      const float y = -2048.0F;
      const float z = static_cast<float>(static_cast<Ext>(h[i][j + 1]) - h[i][j - 1]);
      const Ext squares = static_cast<Ext>(x) * x + static_cast<Ext>(y) * y + static_cast<Ext>(z) * z;
      const auto length = static_cast<float>(std::sqrt(squares));
      if (length == 0.0F) {
        SetNormal(n, x, y, z);
        continue;
      }
      SetNormal(n, static_cast<float>(x / static_cast<Ext>(length)),
                static_cast<float>(y / static_cast<Ext>(length)),
                static_cast<float>(z / static_cast<Ext>(length)));
    }
  }
}

void AdvanceWater() {
  StepWater();
  BuildWaterVertices();
  BuildWaterNormals();
}

}  // namespace orvanth

// The ripple pool. Intermediate arithmetic is extended precision (long double)
// and every store is a 32-bit float, so the pool evolves the same way on every
// machine with an x87-style extended type.
#include "renderer/scene/water.h"

#include <bit>
#include <cmath>
#include <cstdint>

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

void clear_water() {
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
Ext neighbour_sum(int i, int j) {
  const auto& h = HeightGrid;
  const Ext edges = static_cast<Ext>(h[i - 1][j]) + h[i + 1][j] + h[i][j - 1] + h[i][j + 1];
  return 4 * edges + h[i - 1][j - 1] + h[i + 1][j - 1] + h[i - 1][j + 1] + h[i + 1][j + 1];
}

void step_velocities() {
  for (int i = kFirstMoving; i <= kLastMoving; ++i) {
    for (int j = kFirstMoving; j <= kLastMoving; ++j) {
      const Ext pull = (static_cast<Ext>(HeightGrid[i][j]) - neighbour_sum(i, j) / 25) / 7;
      VelocityGrid[i][j] = static_cast<float>(VelocityGrid[i][j] + pull);
    }
  }
}

// Float subtraction and multiplication round the exact result once; the same
// operations in extended precision, stored as floats, give the same bits.
void step_heights() {
  for (int i = kFirstMoving; i <= kLastMoving; ++i) {
    for (int j = kFirstMoving; j <= kLastMoving; ++j) {
      HeightGrid[i][j] -= VelocityGrid[i][j];
      VelocityGrid[i][j] *= WaterDamping;
    }
  }
}

// Pool coordinate of row or column n: -2.5 at 0, 2.5 at 63.
float pool_coordinate(int n) { return static_cast<float>((n - static_cast<Ext>(31.5)) / 63 * 5); }

struct PoolCoordinates {
  float values[orvanth::kWaterCells];
  PoolCoordinates() : values{} {
    for (int n = 0; n < orvanth::kWaterCells; ++n) {
      values[n] = pool_coordinate(n);
    }
  }
};
const PoolCoordinates kCoordinates;

// y = H / 1024 / 63 * 3 = H / 21504. The exact quotient of a float by 21504
// is never within an extended rounding error of a float midpoint, so one
// float division gives the bits of the extended-precision chain.
constexpr float kHeightDivisor = 1024.0F * 63.0F / 3.0F;

void set_normal(float* out, float x, float y, float z) {
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

constexpr float kNormalY = -2048.0F;

// Working rows of the normals: the x and z differences and their lengths in
// double precision, in plain arrays so that the passes vectorise.
float normal_x[orvanth::kWaterCells][orvanth::kWaterCells];
float normal_z[orvanth::kWaterCells][orvanth::kWaterCells];
double normal_lengths[orvanth::kWaterCells][orvanth::kWaterCells];

// Float differences and quotients of floats round once, like their
// extended-precision forms stored as floats; only the length needs care.
void set_interior_normal(float* n, float x, float z, double quick_length) {
  const float length = orvanth::round_normal_length(quick_length, x, z);
  if (length == 0.0F) {
    set_normal(n, x, kNormalY, z);
    return;
  }
  set_normal(n, x / length, kNormalY / length, z / length);
}

void find_normal_differences() {
  const auto& h = HeightGrid;
  for (int i = 1; i < kLast; ++i) {
    for (int j = 0; j < orvanth::kWaterCells; ++j) {
      normal_x[i][j] = h[i + 1][j] - h[i - 1][j];
    }
    normal_z[i][0] = 0.0F;
    normal_z[i][kLast] = 0.0F;
    for (int j = 1; j < kLast; ++j) {
      normal_z[i][j] = h[i][j + 1] - h[i][j - 1];
    }
  }
}

void find_normal_lengths() {
  constexpr double kYSquared = double{kNormalY} * kNormalY;
  for (int i = 1; i < kLast; ++i) {
    for (int j = 0; j < orvanth::kWaterCells; ++j) {
      const double x = normal_x[i][j];
      const double z = normal_z[i][j];
      normal_lengths[i][j] = std::sqrt(x * x + kYSquared + z * z);
    }
  }
}

}  // namespace

void step_water() {
  step_velocities();
  step_heights();
}

void build_water_vertices() {
  for (int i = 0; i < kWaterCells; ++i) {
    for (int j = 0; j < kWaterCells; ++j) {
      float* v = WaterVertices[i][j];
      v[0] = kCoordinates.values[i];
      v[1] = HeightGrid[i][j] / kHeightDivisor;
      v[2] = kCoordinates.values[j];
    }
  }
}

void build_water_normals() {
  for (int n = 0; n < kWaterCells; ++n) {
    set_normal(WaterNormals[0][n], 0.0F, 1.0F, 0.0F);
    set_normal(WaterNormals[kLast][n], 0.0F, 1.0F, 0.0F);
    set_normal(WaterNormals[n][0], 0.0F, 1.0F, 0.0F);
    set_normal(WaterNormals[n][kLast], 0.0F, 1.0F, 0.0F);
  }
  find_normal_differences();
  find_normal_lengths();
  for (int i = 1; i < kLast; ++i) {
    for (int j = 1; j < kLast; ++j) {
      set_interior_normal(WaterNormals[i][j], normal_x[i][j], normal_z[i][j], normal_lengths[i][j]);
    }
  }
}

float extended_normal_length(float x, float z) {
  const Ext squares =
      static_cast<Ext>(x) * x + static_cast<Ext>(kNormalY) * kNormalY + static_cast<Ext>(z) * z;
  return static_cast<float>(std::sqrt(squares));
}

// Both the double and the extended length lie within 2^-52 (relative) of the
// true one, so they round to the same float unless the double sits within a
// few of its units of a float rounding midpoint; there the extended sum
// decides.
float round_normal_length(double quick, float x, float z) {
  constexpr std::uint64_t kLowBits = (std::uint64_t{1} << 29U) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28U;
  constexpr std::uint64_t kMargin = 16;
  const std::uint64_t low = std::bit_cast<std::uint64_t>(quick) & kLowBits;
  const std::uint64_t gap = low > kMidpoint ? low - kMidpoint : kMidpoint - low;
  if (gap > kMargin && std::isfinite(quick)) {
    return static_cast<float>(quick);
  }
  return extended_normal_length(x, z);
}

void advance_water() {
  step_water();
  build_water_vertices();
  build_water_normals();
}

}  // namespace orvanth

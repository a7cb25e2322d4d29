// The mesh must carry exactly the bits of the extended-precision formulas,
// however its arithmetic is arranged.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "renderer/scene/water.h"

namespace {

constexpr int kN = orvanth::kWaterCells;
using Ext = long double;

void expect_same_bits(float actual, float expected, int i, int j, int axis) {
  ASSERT_EQ(std::bit_cast<std::uint32_t>(actual), std::bit_cast<std::uint32_t>(expected))
      << "cell " << i << "," << j << " axis " << axis << ": " << actual << " vs " << expected;
}

void check_mesh_against_extended_formulas() {
  orvanth::build_water_vertices();
  orvanth::build_water_normals();
  const auto& h = HeightGrid;
  for (int i = 0; i < kN; ++i) {
    for (int j = 0; j < kN; ++j) {
      const float y = static_cast<float>(static_cast<Ext>(h[i][j]) / 1024 / 63 * 3);
      expect_same_bits(WaterVertices[i][j][1], y, i, j, 1);
      expect_same_bits(WaterVertices[i][j][0], static_cast<float>((i - 31.5L) / 63 * 5), i, j, 0);
      if (i == 0 || j == 0 || i == kN - 1 || j == kN - 1) {
        continue;
      }
      const float n[3] = {static_cast<float>(static_cast<Ext>(h[i + 1][j]) - h[i - 1][j]), -2048.0F,
                          static_cast<float>(static_cast<Ext>(h[i][j + 1]) - h[i][j - 1])};
      const Ext squares = static_cast<Ext>(n[0]) * n[0] + static_cast<Ext>(n[1]) * n[1] +
                          static_cast<Ext>(n[2]) * n[2];
      const auto length = static_cast<float>(std::sqrt(squares));
      for (int axis = 0; axis < 3; ++axis) {
        expect_same_bits(WaterNormals[i][j][axis],
                         static_cast<float>(n[axis] / static_cast<Ext>(length)), i, j, axis);
      }
    }
  }
}

TEST(WaterMeshPrecision, RandomPoolsMatchTheExtendedFormulas) {
  std::mt19937 generator(12345);
  std::uniform_real_distribution<float> mantissa(-1.0F, 1.0F);
  std::uniform_int_distribution<int> exponent(-30, 20);
  for (int pool = 0; pool < 40; ++pool) {
    for (auto& row : HeightGrid) {
      for (float& cell : row) {
        cell = std::ldexp(mantissa(generator), exponent(generator));
      }
    }
    check_mesh_against_extended_formulas();
    if (HasFatalFailure()) {
      return;
    }
  }
}

TEST(WaterMeshPrecision, LengthsNearFloatMidpointsMatchTheExtendedFormulas) {
  orvanth::clear_water();
  // Heights whose normal length falls on or right beside a point halfway
  // between two floats, where a shorter sum could round the other way.
  std::mt19937 generator(777);
  std::uniform_int_distribution<int> step(0, (1 << 20) - 1);
  for (int i = 1; i < kN - 1; i += 4) {
    for (int j = 1; j < kN - 1; ++j) {
      const double length = 2048.0 + (step(generator) + 0.5) * 0x1p-12;
      const auto x = static_cast<float>(std::sqrt(length * length - 2048.0 * 2048.0));
      HeightGrid[i + 1][j] = x;
    }
  }
  check_mesh_against_extended_formulas();
}

TEST(WaterMeshPrecision, DoubleLengthsBesideAMidpointDeferToTheExtendedSum) {
  for (float x : {0.0F, 1.5F, 333.25F, -1000.0F, 4097.0F}) {
    const float z = 0.75F;
    const float exact = orvanth::extended_normal_length(x, z);
    const double midpoint = (static_cast<double>(exact) + std::nextafter(exact, 1e30F)) / 2;
    // A double a hair past the midpoint would round up to the next float.
    for (double quick : {std::nextafter(midpoint, 1e300), midpoint}) {
      EXPECT_EQ(orvanth::round_normal_length(quick, x, z), exact) << x;
    }
    EXPECT_EQ(orvanth::round_normal_length(static_cast<double>(exact), x, z), exact);
  }
}

}  // namespace

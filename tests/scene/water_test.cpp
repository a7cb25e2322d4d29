// The ripple pool without GL: steps, fixed borders, mesh and normals.
#include <gtest/gtest.h>

#include <cmath>

#include "renderer/scene/water.h"

namespace {

constexpr int kN = orvanth::kWaterCells;

class WaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WaterDamping = 0.96F;
    orvanth::clear_water();
  }
};

int count_non_zero_heights() {
  int count = 0;
  for (auto& row : HeightGrid) {
    for (float h : row) {
      count += h != 0.0F ? 1 : 0;
    }
  }
  return count;
}

TEST_F(WaterTest, OneStepFromARippleDipsOnlyThatCell) {
  StartRipple(32, 31);
  orvanth::step_water();
  EXPECT_EQ(HeightGrid[32][31], -1000.0F);
  EXPECT_EQ(VelocityGrid[32][31], 960.0F);
  for (int i = 0; i < kN; ++i) {
    for (int j = 0; j < kN; ++j) {
      if (i == 32 && j == 31) {
        continue;
      }
      ASSERT_EQ(HeightGrid[i][j], 0.0F) << i << "," << j;
      ASSERT_EQ(VelocityGrid[i][j], 0.0F) << i << "," << j;
    }
  }
}

TEST_F(WaterTest, SecondStepPullsEdgeNeighboursFourTimesHarderThanCorners) {
  StartRipple(32, 31);
  orvanth::step_water();
  orvanth::step_water();
  // Edge neighbour: S = 4 * -1000, so V = 160 / 7 and H = -V.
  EXPECT_NEAR(HeightGrid[33][31], -160.0 / 7, 1e-3);
  EXPECT_NEAR(HeightGrid[32][30], -160.0 / 7, 1e-3);
  // Corner neighbour: S = -1000.
  EXPECT_NEAR(HeightGrid[33][32], -40.0 / 7, 1e-3);
  // Centre: V = 960 - 1000 / 7, then H = -1000 - V and V is damped.
  const double v = 960.0 - 1000.0 / 7;
  EXPECT_NEAR(HeightGrid[32][31], -1000.0 - v, 1e-2);
  EXPECT_NEAR(VelocityGrid[32][31], v * 0.96, 1e-2);
  EXPECT_EQ(HeightGrid[34][31], 0.0F);
}

TEST_F(WaterTest, RipplesOnTheFixedBordersChangeNothing) {
  for (int fixed : {0, 1, 62, 63}) {
    for (int other : {0, 1, 2, 17, 31, 61, 62, 63}) {
      StartRipple(fixed, other);
      StartRipple(other, fixed);
    }
  }
  for (int step = 0; step < 50; ++step) {
    orvanth::step_water();
  }
  EXPECT_EQ(count_non_zero_heights(), 0);
  EXPECT_EQ(VelocityGrid[0][17], 1000.0F);
  EXPECT_EQ(VelocityGrid[31][62], 1000.0F);
}

TEST_F(WaterTest, WavesNeverReachTheFixedBorders) {
  StartRipple(2, 2);
  StartRipple(61, 40);
  for (int step = 0; step < 300; ++step) {
    orvanth::step_water();
  }
  EXPECT_GT(count_non_zero_heights(), 1000);
  for (int n = 0; n < kN; ++n) {
    for (int fixed : {0, 1, 62, 63}) {
      ASSERT_EQ(HeightGrid[fixed][n], 0.0F);
      ASSERT_EQ(HeightGrid[n][fixed], 0.0F);
    }
  }
}

TEST_F(WaterTest, OutOfGridRipplesAreIgnored) {
  StartRipple(-1, 5);
  StartRipple(5, 64);
  StartRipple(64, 64);
  orvanth::step_water();
  EXPECT_EQ(count_non_zero_heights(), 0);
}

TEST_F(WaterTest, DampingSettlesThePool) {
  StartRipple(32, 31);
  StartRipple(20, 45);
  for (int step = 0; step < 3000; ++step) {
    orvanth::step_water();
  }
  float largest = 0.0F;
  for (auto& row : HeightGrid) {
    for (float h : row) {
      largest = std::max(largest, std::fabs(h));
    }
  }
  EXPECT_LT(largest, 1.0F);
}

TEST_F(WaterTest, FlatPoolSpansTheSquareWithRowsAlongX) {
  orvanth::build_water_vertices();
  const float* first = WaterVertices[0][0];
  const float* last = WaterVertices[63][63];
  const float* row_end = WaterVertices[63][0];
  EXPECT_FLOAT_EQ(first[0], -2.5F);
  EXPECT_FLOAT_EQ(first[2], -2.5F);
  EXPECT_FLOAT_EQ(last[0], 2.5F);
  EXPECT_FLOAT_EQ(last[2], 2.5F);
  EXPECT_FLOAT_EQ(row_end[0], 2.5F);
  EXPECT_FLOAT_EQ(row_end[2], -2.5F);
  for (int i = 0; i < kN; ++i) {
    for (int j = 0; j < kN; ++j) {
      ASSERT_EQ(WaterVertices[i][j][1], 0.0F);
    }
  }
  EXPECT_NEAR(WaterVertices[1][0][0] - WaterVertices[0][0][0], 5.0 / 63, 1e-6);
}

TEST_F(WaterTest, RippleDipLowersItsVertex) {
  StartRipple(32, 31);
  orvanth::advance_water();
  EXPECT_NEAR(WaterVertices[32][31][1], -1000.0 / 1024 / 63 * 3, 1e-7);
  EXPECT_NEAR(WaterVertices[32][31][1], -0.0465, 1e-4);
  EXPECT_EQ(WaterVertices[33][31][1], 0.0F);
}

TEST_F(WaterTest, FlatPoolNormalsPointDownInsideAndUpOnTheRing) {
  orvanth::build_water_normals();
  for (int i = 0; i < kN; ++i) {
    for (int j = 0; j < kN; ++j) {
      const bool ring = i == 0 || j == 0 || i == kN - 1 || j == kN - 1;
      const float* n = WaterNormals[i][j];
      ASSERT_EQ(n[0], 0.0F);
      ASSERT_EQ(n[1], ring ? 1.0F : -1.0F) << i << "," << j;
      ASSERT_EQ(n[2], 0.0F);
    }
  }
}

TEST_F(WaterTest, NormalsAroundADipAreUnitAndTiltAway) {
  StartRipple(32, 31);
  orvanth::advance_water();
  // Row after the dip: H[34] - H[32] = +1000 along x.
  const float* after = WaterNormals[33][31];
  EXPECT_NEAR(after[0], 1000.0 / std::hypot(1000.0, 2048.0), 1e-6);
  EXPECT_NEAR(after[1], -2048.0 / std::hypot(1000.0, 2048.0), 1e-6);
  EXPECT_EQ(after[2], 0.0F);
  const float* before_column = WaterNormals[32][30];
  EXPECT_LT(before_column[2], 0.0F);
  EXPECT_EQ(before_column[0], 0.0F);
  for (int i = 1; i < kN - 1; ++i) {
    for (int j = 1; j < kN - 1; ++j) {
      const float* n = WaterNormals[i][j];
      ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0F, 1e-6);
    }
  }
}

}  // namespace

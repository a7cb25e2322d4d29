#include <gtest/gtest.h>

#include <cmath>

#include "tools/artwork/det_math.h"
#include "tools/artwork/noise.h"

namespace orvanth::artgen {
namespace {

TEST(DetMath, TrigonometryMatchesTheLibraryClosely) {
  for (int i = -2000; i <= 2000; ++i) {
    const double x = i * 0.0137;
    EXPECT_NEAR(det_sin(x), std::sin(x), 1e-13) << x;
    EXPECT_NEAR(det_cos(x), std::cos(x), 1e-13) << x;
  }
  for (int i = -20; i <= 20; ++i) {
    for (int j = -20; j <= 20; ++j) {
      if (i == 0 && j == 0) continue;
      EXPECT_NEAR(det_atan2(i * 0.3, j * 0.7), std::atan2(i * 0.3, j * 0.7), 1e-12)
          << i << "," << j;
    }
  }
  for (int i = -100; i <= 100; ++i)
    EXPECT_NEAR(det_asin(i / 100.0), std::asin(i / 100.0), 1e-9) << i;
  EXPECT_EQ(det_asin(1.5), kPi / 2.0);
  EXPECT_EQ(det_atan2(0.0, 0.0), 0.0);
}

TEST(Noise, IsSmoothAndVariesAcrossSpace) {
  double lo = 1e9;
  double hi = -1e9;
  double max_step = 0;
  for (int i = 0; i < 2000; ++i) {
    const Vec3 p{i * 0.01, 0.37, 1.9};
    const double v = gradient_noise(p, 3U);
    const double next = gradient_noise(p + Vec3{0.001, 0, 0}, 3U);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    max_step = std::max(max_step, std::fabs(next - v));
  }
  EXPECT_LT(lo, -0.3);
  EXPECT_GT(hi, 0.3);
  EXPECT_LT(hi, 1.5);
  EXPECT_LT(max_step, 0.01) << "continuous";
  EXPECT_NE(gradient_noise({0.5, 0.5, 0.5}, 1U), gradient_noise({0.5, 0.5, 0.5}, 2U))
      << "seed matters";
}

TEST(Noise, CellularDistancesAreOrdered) {
  for (int i = 0; i < 500; ++i) {
    const Cells c = cellular(Vec3{i * 0.173, i * 0.071, 2.0 - i * 0.013}, 9U);
    EXPECT_LE(c.f1, c.f2);
    EXPECT_LT(c.f1, 1.8);
  }
}

}  // namespace
}  // namespace orvanth::artgen

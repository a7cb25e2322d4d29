// The planets' bounce without GL: heights, squash, ripple starts, speeds and
// long runs.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "renderer/scene/planets.h"
#include "renderer/scene/water.h"

namespace {

using orvanth::kPlanetCount;
using orvanth::kPlanetTable;

class PlanetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orvanth::clear_water();
    orvanth::reset_planets();
  }
};

double exact_height(std::int32_t scene_time, float speed) {
  return std::fabs(std::sin(static_cast<double>(scene_time) / 60.0 * speed / 24.0) * 1.6);
}

TEST_F(PlanetsTest, AtTimeZeroEveryPlanetTouchesAndStartsItsRipple) {
  orvanth::update_planets(0);
  int ripples = 0;
  for (auto& row : VelocityGrid) {
    for (float v : row) {
      ripples += v != 0.0F ? 1 : 0;
    }
  }
  EXPECT_EQ(ripples, kPlanetCount);
  for (int p = 0; p < kPlanetCount; ++p) {
    const orvanth::Planet& planet = PlanetState[p];
    EXPECT_EQ(planet.height, 0.0F);
    EXPECT_EQ(planet.angle, 0.0F);
    EXPECT_FLOAT_EQ(planet.height_scale, static_cast<float>(0.5 / 1.11));
    EXPECT_EQ(planet.width_scale, 0.5F);
    EXPECT_EQ(VelocityGrid[kPlanetTable[static_cast<std::size_t>(p)].ripple_row]
                          [kPlanetTable[static_cast<std::size_t>(p)].ripple_column],
              1000.0F);
  }
}

TEST_F(PlanetsTest, TouchThresholdDecidesRippleAndSquash) {
  orvanth::Planet& high = PlanetState[1];
  high.height = 0.12F;
  orvanth::apply_bounce(high);
  EXPECT_EQ(high.height_scale, 0.5F);
  EXPECT_EQ(VelocityGrid[36][37], 0.0F);

  orvanth::Planet& low = PlanetState[2];
  low.height = 0.1F;
  orvanth::apply_bounce(low);
  EXPECT_FLOAT_EQ(low.height_scale, static_cast<float>(0.5 / 1.01));
  EXPECT_EQ(VelocityGrid[42][27], 1000.0F);

  low.height = 0.1099F;
  orvanth::apply_bounce(low);
  EXPECT_NEAR(low.height_scale, 0.5F, 1e-4);
  EXPECT_LT(low.height_scale, 0.5F);
}

TEST_F(PlanetsTest, ResetTakesRippleCellsFromTheTable) {
  for (int p = 0; p < kPlanetCount; ++p) {
    EXPECT_EQ(PlanetState[p].ripple_row, kPlanetTable[static_cast<std::size_t>(p)].ripple_row);
    EXPECT_EQ(PlanetState[p].ripple_column,
              kPlanetTable[static_cast<std::size_t>(p)].ripple_column);
  }
  EXPECT_EQ(PlanetState[5].ripple_row, 51);
  EXPECT_EQ(PlanetState[5].ripple_column, 44);
}

TEST_F(PlanetsTest, SpeedsAreInRangeAndDifferBetweenRuns) {
  orvanth::choose_speeds();
  float first[kPlanetCount];
  for (int p = 0; p < kPlanetCount; ++p) {
    first[p] = PlanetState[p].speed;
    EXPECT_GE(first[p], 0.2F);
    EXPECT_LT(first[p], 1.2F);
  }
  orvanth::choose_speeds();
  int same = 0;
  for (int p = 0; p < kPlanetCount; ++p) {
    same += PlanetState[p].speed == first[p] ? 1 : 0;
  }
  EXPECT_LT(same, kPlanetCount);
  EXPECT_NE(first[0], first[1]);
}

TEST_F(PlanetsTest, HeightFollowsTheSineOfThePhase) {
  orvanth::set_speeds({1.0F, 0.5F, 0.2F, 1.1F, 0.7F, 0.9F});
  // Top of the bounce: angle = 12 pi, so SceneTime = 720 pi ms at speed 1.
  const auto top = static_cast<std::int32_t>(720 * std::numbers::pi);
  orvanth::update_planets(top);
  EXPECT_NEAR(PlanetState[0].height, 1.6F, 1e-5);
  EXPECT_EQ(PlanetState[0].height_scale, 0.5F);
  EXPECT_NEAR(PlanetState[1].height, exact_height(top, 0.5F), 1e-6);
  // A whole bounce later the planet is back on the water.
  orvanth::update_planets(static_cast<std::int32_t>(1440 * std::numbers::pi));
  EXPECT_LT(PlanetState[0].height, 2e-3);
}

TEST_F(PlanetsTest, BounceStaysSmoothAfterDaysOfSceneTime) {
  orvanth::set_speeds({1.0F, 1.19F, 0.2F, 0.77F, 0.5F, 1.0F});
  for (std::int32_t start : {8 * 3600 * 1000, 20 * 24 * 3600 * 1000, INT_MAX - 100}) {
    for (std::int32_t t = start; t < start + 50; t += 10) {
      orvanth::update_planets(t);
      for (const orvanth::Planet& planet : PlanetState) {
        ASSERT_NEAR(planet.height, exact_height(t, planet.speed), 1e-4) << "time " << t;
      }
    }
  }
}

TEST_F(PlanetsTest, NegativeSceneTimeStillGivesHeightsInRange) {
  orvanth::set_speeds({1.0F, 1.19F, 0.2F, 0.77F, 0.5F, 1.0F});
  for (std::int32_t t : {INT_MIN, -1, -123456789}) {
    orvanth::update_planets(t);
    for (const orvanth::Planet& planet : PlanetState) {
      EXPECT_GE(planet.height, 0.0F);
      EXPECT_LE(planet.height, 1.6F);
      EXPECT_NEAR(planet.height, exact_height(t, planet.speed), 1e-4);
    }
  }
}

}  // namespace

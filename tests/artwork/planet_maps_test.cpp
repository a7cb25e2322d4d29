#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "saver/art/resources.h"
#include "tests/artwork/picture_stats.h"

namespace orvanth::art {
namespace {

using test::Colour;

struct Mean {
  double r;
  double g;
  double b;
};

Mean mean_of(int index) {
  const auto m = test::mean_colour(planet_map(index));
  return {m[0], m[1], m[2]};
}

double spread(const Mean& m) { return std::max({m.r, m.g, m.b}) - std::min({m.r, m.g, m.b}); }

bool near_white(const Colour& c) { return c[0] > 215 && c[1] > 215 && c[2] > 215; }

TEST(PlanetMaps, LeftAndRightEdgesContinueEachOther) {
  for (int i = 1; i <= 12; ++i) {
    SCOPED_TRACE(i);
    const Picture p = planet_map(i);
    const double seam = test::column_difference(p, p.width - 1, 0);
    const double typical = test::neighbour_column_difference(p);
    EXPECT_LE(seam, 1.5 * typical + 1.0);
    // Columns half a turn apart differ clearly more: the check above can tell.
    if (i != 9) {
      EXPECT_GT(test::column_difference(p, 0, p.width / 2), seam);
    }
  }
}

TEST(PlanetMaps, SunIsFieryRedAndOrangeWithBrighterPatches) {
  const Mean m = mean_of(1);
  EXPECT_GT(m.r, 1.6 * m.g);
  EXPECT_GT(m.g, m.b);
  EXPECT_GT(m.r, 170);
  const Picture p = planet_map(1);
  EXPECT_GT(test::share(p, [](const Colour& c) { return c[0] > 240 && c[1] > 150; }), 0.02)
      << "bright patches";
  EXPECT_GT(test::share(p, [](const Colour& c) { return c[0] < 200; }), 0.1) << "darker lanes";
}

TEST(PlanetMaps, BrownAndOrangeBodiesAreWarmButMuted) {
  for (int i : {2, 3, 5}) {
    SCOPED_TRACE(i);
    const Mean m = mean_of(i);
    EXPECT_GT(m.r, m.g + 15);
    EXPECT_GT(m.g, m.b + 10);
    EXPECT_LT(m.r, 200);
  }
  EXPECT_LT(mean_of(2).r, mean_of(3).r)
      << "the cratered one is browner, the mottled one more orange";
}

TEST(PlanetMaps, RedPlanetHasAWhiteCapAtTheTop) {
  const Picture p = planet_map(5);
  int white = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < p.width; ++x) white += near_white(test::pixel(p, x, y)) ? 1 : 0;
  EXPECT_GT(white, 4 * p.width * 9 / 10);
  const Colour middle = test::pixel(p, 100, 62);
  EXPECT_FALSE(near_white(middle));
}

TEST(PlanetMaps, EarthHasOceansLandIceAndClouds) {
  const Picture p = planet_map(4);
  const double ocean =
      test::share(p, [](const Colour& c) { return c[2] > c[0] + 40 && c[2] > c[1] + 10; });
  const double green =
      test::share(p, [](const Colour& c) { return c[1] > c[0] && c[1] > c[2] + 10; });
  const double white = test::share(p, near_white);
  EXPECT_GT(ocean, 0.35);
  EXPECT_GT(green, 0.05);
  EXPECT_GT(white, 0.08);
  // Both poles are white ice.
  for (int y : {1, 254}) {
    int ice = 0;
    for (int x = 0; x < p.width; ++x) ice += near_white(test::pixel(p, x, y)) ? 1 : 0;
    EXPECT_GT(ice, p.width * 8 / 10) << y;
  }
}

TEST(PlanetMaps, BandedGiantIsCreamAndBrownWithARedOval) {
  const Mean m = mean_of(6);
  EXPECT_GT(m.r, m.g);
  EXPECT_GT(m.g, m.b);
  EXPECT_GT(m.r, 160) << "cream, not dark";
  const Picture p = planet_map(6);
  EXPECT_GT(test::share(p, [](const Colour& c) { return c[0] > c[1] + 70; }), 0.005)
      << "the red oval";
  // Bands: row means vary down the picture far more than across a row.
  double lo = 1e9;
  double hi = 0;
  for (int y = 10; y < 114; ++y) {
    double sum = 0;
    for (int x = 0; x < p.width; ++x) sum += test::pixel(p, x, y)[2];
    lo = std::min(lo, sum / p.width);
    hi = std::max(hi, sum / p.width);
  }
  EXPECT_GT(hi - lo, 40);
}

TEST(PlanetMaps, GoldenGiantIsYellowAndOrange) {
  const Mean m = mean_of(8);
  EXPECT_GT(m.r, m.g);
  EXPECT_GT(m.g, 0.7 * m.r);
  EXPECT_GT(m.g, m.b + 40);
}

TEST(PlanetMaps, PaleCyanGiantIsLightAndCyan) {
  const Mean m = mean_of(9);
  EXPECT_GT(m.g, m.r + 25);
  EXPECT_GT(m.b, m.r + 25);
  EXPECT_GT(m.r, 140) << "pale";
  EXPECT_LT(test::neighbour_column_difference(planet_map(9)), 2.0) << "faint, smooth bands";
}

TEST(PlanetMaps, DeepBlueGiantHasADarkSpot) {
  const Mean m = mean_of(10);
  EXPECT_GT(m.b, m.r + 80);
  EXPECT_GT(m.b, m.g + 50);
  EXPECT_GT(test::share(planet_map(10), [](const Colour& c) { return c[2] < 90; }), 0.003);
}

TEST(PlanetMaps, GreyBodiesAreNearlyNeutral) {
  for (int i : {7, 11, 12}) {
    SCOPED_TRACE(i);
    const Mean m = mean_of(i);
    EXPECT_LT(spread(m), 8.0);
    EXPECT_GT(m.r, 80);
    EXPECT_LT(m.r, 180);
  }
}

TEST(PlanetMaps, GrainyIsRougherThanSoftPatches) {
  const double grainy = test::neighbour_column_difference(planet_map(7));
  const double soft = test::neighbour_column_difference(planet_map(11));
  EXPECT_GT(grainy, 3.0 * soft);
}

TEST(PlanetMaps, EveryMapDiffersFromEveryOther) {
  for (int a = 1; a <= 12; ++a) {
    for (int b = a + 1; b <= 12; ++b) {
      const Mean ma = mean_of(a);
      const Mean mb = mean_of(b);
      const double d = std::abs(ma.r - mb.r) + std::abs(ma.g - mb.g) + std::abs(ma.b - mb.b);
      const double ra = test::neighbour_column_difference(planet_map(a));
      const double rb = test::neighbour_column_difference(planet_map(b));
      EXPECT_TRUE(d > 12.0 || std::abs(ra - rb) > 3.0) << a << " and " << b << " look alike";
    }
  }
}

}  // namespace
}  // namespace orvanth::art

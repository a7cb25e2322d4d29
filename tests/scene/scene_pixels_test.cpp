// The scene as a viewer sees it: drawn with a real GL context on the test X
// server, with fixed speeds and scene times, and read back pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "renderer/scene/planets.h"
#include "renderer/scene/scene.h"
#include "renderer/scene/water.h"
#include "tests/scene/alloc_counter.h"
#include "tests/scene/gl_harness.h"

namespace {

using orvanth::test::GlWindow;
using orvanth::test::kTextureColours;
using orvanth::test::pixel_at;
using orvanth::test::Rgb;

constexpr int kWidth = 640;
constexpr int kHeight = 512;
// SceneTime at which every planet of speed 1 is at height 1.0.
constexpr std::int32_t kAllHigh = 972;

int brightness(Rgb c) { return c.r + c.g + c.b; }

bool near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult same(Rgb actual, Rgb expected, int tolerance) {
  if (near(actual, expected, tolerance)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.r << "," << actual.g << "," << actual.b << ") vs (" << expected.r << ","
         << expected.g << "," << expected.b << ")";
}

class ScenePixelsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (std::getenv("DISPLAY") == nullptr) {
      return;
    }
    std::string error;
    if (!orvanth::test::write_colour_textures(error)) {
      setup_error = error;
      return;
    }
    window = std::make_unique<GlWindow>(kWidth, kHeight);
    if (!window->ok()) {
      setup_error = window->error();
      return;
    }
    SetupScene();
    // The first frame still has the late state (texture generation, blend
    // factors) of the GL defaults; keep it and the one after for a test.
    orvanth::set_speeds({1.0F, 1.0F, 1.0F, 1.0F, 1.0F, 1.0F});
    first_frame = draw(kAllHigh);
    second_frame = draw(kAllHigh);
  }
  static void TearDownTestSuite() { window.reset(); }

  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) {
      GTEST_SKIP() << "needs the test X server";
    }
    ASSERT_TRUE(window && window->ok()) << setup_error;
    orvanth::clear_water();
    orvanth::set_speeds({1.0F, 1.0F, 1.0F, 1.0F, 1.0F, 1.0F});
  }

  static std::vector<std::uint8_t> draw(std::int32_t scene_time) {
    SceneTime = scene_time;
    DrawFrame();
    std::vector<std::uint8_t> rgb;
    window->read_back(rgb);
    window->swap();
    return rgb;
  }

  Rgb at(const std::vector<std::uint8_t>& rgb, double x, double y, double z) {
    double wx = 0;
    double wy = 0;
    EXPECT_TRUE(window->project(x, y, z, wx, wy)) << x << "," << y << "," << z;
    return pixel_at(rgb, kWidth, static_cast<int>(wx), static_cast<int>(wy));
  }

  static std::unique_ptr<GlWindow> window;
  static std::string setup_error;
  static std::vector<std::uint8_t> first_frame;
  static std::vector<std::uint8_t> second_frame;
};

std::vector<std::uint8_t> ScenePixelsTest::first_frame;
std::vector<std::uint8_t> ScenePixelsTest::second_frame;

std::unique_ptr<GlWindow> ScenePixelsTest::window;
std::string ScenePixelsTest::setup_error;

TEST_F(ScenePixelsTest, BackdropShowsWhereNothingIsDrawn) {
  const auto rgb = draw(kAllHigh);
  // 0.5608, 0.5725, 0.5804 of 255.
  const Rgb backdrop{143, 146, 148};
  // Beyond the back edge of the pool, between the walls.
  double x = 0;
  double back_edge = 0;
  ASSERT_TRUE(window->project(0.0, 0.0, -2.5, x, back_edge));
  ASSERT_LT(back_edge, kHeight - 20);
  for (int y : {static_cast<int>(back_edge) + 4, kHeight - 1}) {
    EXPECT_TRUE(same(pixel_at(rgb, kWidth, kWidth / 2, y), backdrop, 1)) << "row " << y;
  }
}

TEST_F(ScenePixelsTest, EachPlanetShowsItsOwnTextureAtItsCentre) {
  for (int frame = 0; frame < 3; ++frame) {
    const auto rgb = draw(kAllHigh + frame);
    for (int p = 0; p < orvanth::kPlanetCount; ++p) {
      const orvanth::PlanetPlace& place = orvanth::kPlanetTable[static_cast<std::size_t>(p)];
      const orvanth::Planet& planet = PlanetState[p];
      const double half = place.size * 0.5;
      const double y = place.size * planet.height_scale * (planet.height + 0.1);
      const Rgb colour = kTextureColours[static_cast<std::size_t>(p + 1)];
      EXPECT_TRUE(same(at(rgb, half * place.x, y, half * place.z), colour, 3))
          << "planet " << p << " frame " << frame;
    }
  }
}

TEST_F(ScenePixelsTest, FirstFrameReplacesWhereLaterFramesAddReflections) {
  // Planet 4's reflection: drawn over the backdrop with the default blend
  // factors (one, zero) in the first frame, added to it afterwards.
  const orvanth::PlanetPlace& place = orvanth::kPlanetTable[4];
  const double half = place.size * 0.5;
  const double y = -place.size * 0.5 * (1.0 + 0.1);
  const Rgb first = at(first_frame, half * place.x, y, half * place.z);
  const Rgb second = at(second_frame, half * place.x, y, half * place.z);
  EXPECT_GT(brightness(second), brightness(first) + 150);
  const Rgb planet = kTextureColours[5];
  // Later: backdrop plus 0.4 of the texture (and the water on top), so every
  // channel at least the backdrop's.
  EXPECT_GE(second.r, 143);
  EXPECT_GE(second.g, 146);
  EXPECT_LT(first.g, 146);
  EXPECT_GT(first.r, first.g + (planet.r - planet.g) / 4);
}

TEST_F(ScenePixelsTest, WallsAreBrighterAtTheFront) {
  const auto rgb = draw(kAllHigh);
  // Only the back parts of the walls are in view; the front edges lie
  // below and beside the picture.
  struct Pair {
    double x;
    double front_z;
  };
  for (Pair wall : {Pair{-2.5, -1.5}, Pair{2.5, -0.5}}) {
    const double x = wall.x;
    const Rgb front = at(rgb, x, 0.2, wall.front_z);
    const Rgb back = at(rgb, x, 0.2, -2.4);
    EXPECT_GT(brightness(front), brightness(back) + 30) << "wall at x " << x;
    // Grey: no texture on the walls.
    EXPECT_TRUE(same(front, {front.r, front.r, front.r}, 6));
  }
}

TEST_F(ScenePixelsTest, WaterAddsItsTextureMoreTowardsTheFront) {
  const auto rgb = draw(kAllHigh);
  const Rgb backdrop{143, 146, 148};
  // A lane between the planets and their reflections.
  const Rgb front = at(rgb, 0.4, 0.0, 1.6);
  const Rgb middle = at(rgb, 0.4, 0.0, -1.2);
  const Rgb back = at(rgb, 0.4, 0.0, -2.3);
  EXPECT_GT(brightness(front), brightness(middle) + 20);
  EXPECT_GT(brightness(middle), brightness(back) + 20);
  // Added light: never darker than the backdrop, and most in blue.
  EXPECT_GE(front.b, backdrop.b);
  EXPECT_GT(front.b - backdrop.b, front.r - backdrop.r);
}

std::size_t differing_pixels(const std::vector<std::uint8_t>& a,
                             const std::vector<std::uint8_t>& b) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < a.size(); i += 3) {
    differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1U : 0U;
  }
  return differing;
}

TEST_F(ScenePixelsTest, PictureChangesBetweenFrames) {
  const auto first = draw(kAllHigh);
  const auto later = draw(kAllHigh + 2000);
  EXPECT_GT(differing_pixels(first, later), 1000U);
}

TEST_F(ScenePixelsTest, TouchingPlanetsRippleTheWater) {
  const auto calm = draw(kAllHigh);
  EXPECT_EQ(differing_pixels(calm, draw(kAllHigh)), 0U) << "still water must look the same";
  // All planets touch the water in the first 1/10 s; the pool steps 60
  // times a second of SceneTime. Then they hang still while the rings
  // spread, so only the water can change the picture.
  std::vector<std::uint8_t> rippled;
  for (int frame = 0; frame < 20; ++frame) {
    draw(frame * 17);
  }
  rippled = draw(kAllHigh);
  EXPECT_NE(HeightGrid[32 - 6][31 + 6], 0.0F);
  EXPECT_GT(differing_pixels(calm, rippled), 500U);
}

TEST_F(ScenePixelsTest, DrawingFramesAllocatesNothing) {
  for (int frame = 0; frame < 20; ++frame) {
    SceneTime = frame * 40;
    DrawFrame();
    window->swap();
  }
  orvanth::test::start_counting_allocations();
  for (int frame = 0; frame < 300; ++frame) {
    SceneTime = 800 + frame * 40;
    DrawFrame();
  }
  orvanth::test::stop_counting_allocations();
  glFinish();
  // The software GL driver allocates inside its draw calls (C code, through
  // malloc); the scene's own code must not allocate at all. Its CPU work is
  // checked with malloc counted as well in the simulation tests.
  EXPECT_EQ(orvanth::test::counted_new_allocations(), 0U);
}

}  // namespace

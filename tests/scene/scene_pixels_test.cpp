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
using orvanth::test::PixelAt;
using orvanth::test::Rgb;

constexpr int kWidth = 640;
constexpr int kHeight = 512;
// SceneTime at which every planet of speed 1 is at height 1.0.
constexpr std::int32_t kAllHigh = 972;

int Brightness(Rgb c) { return c.r + c.g + c.b; }

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult Same(Rgb actual, Rgb expected, int tolerance) {
  if (Near(actual, expected, tolerance)) {
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
    if (!orvanth::test::WriteColourTextures(error)) {
      setup_error_ = error;
      return;
    }
    window_ = std::make_unique<GlWindow>(kWidth, kHeight);
    if (!window_->ok()) {
      setup_error_ = window_->error();
      return;
    }
    SetupScene();
    // The first frame still has the late state (texture generation, blend
    // factors) of the GL defaults; keep it and the one after for a test.
    orvanth::set_speeds({1.0F, 1.0F, 1.0F, 1.0F, 1.0F, 1.0F});
    first_frame_ = Draw(kAllHigh);
    second_frame_ = Draw(kAllHigh);
  }
  static void TearDownTestSuite() { window_.reset(); }

  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) {
      GTEST_SKIP() << "needs the test X server";
    }
    ASSERT_TRUE(window_ && window_->ok()) << setup_error_;
    orvanth::clear_water();
    orvanth::set_speeds({1.0F, 1.0F, 1.0F, 1.0F, 1.0F, 1.0F});
  }

  static std::vector<std::uint8_t> Draw(std::int32_t scene_time) {
    SceneTime = scene_time;
    DrawFrame();
    std::vector<std::uint8_t> rgb;
    window_->ReadBack(rgb);
    window_->Swap();
    return rgb;
  }

  Rgb At(const std::vector<std::uint8_t>& rgb, double x, double y, double z) {
    double wx = 0;
    double wy = 0;
    EXPECT_TRUE(window_->Project(x, y, z, wx, wy)) << x << "," << y << "," << z;
    return PixelAt(rgb, kWidth, static_cast<int>(wx), static_cast<int>(wy));
  }

  static std::unique_ptr<GlWindow> window_;
  static std::string setup_error_;
  static std::vector<std::uint8_t> first_frame_;
  static std::vector<std::uint8_t> second_frame_;
};

std::vector<std::uint8_t> ScenePixelsTest::first_frame_;
std::vector<std::uint8_t> ScenePixelsTest::second_frame_;

std::unique_ptr<GlWindow> ScenePixelsTest::window_;
std::string ScenePixelsTest::setup_error_;

TEST_F(ScenePixelsTest, BackdropShowsWhereNothingIsDrawn) {
  const auto rgb = Draw(kAllHigh);
  // 0.5608, 0.5725, 0.5804 of 255.
  const Rgb backdrop{143, 146, 148};
  // Beyond the back edge of the pool, between the walls.
  double x = 0;
  double back_edge = 0;
  ASSERT_TRUE(window_->Project(0.0, 0.0, -2.5, x, back_edge));
  ASSERT_LT(back_edge, kHeight - 20);
  for (int y : {static_cast<int>(back_edge) + 4, kHeight - 1}) {
    EXPECT_TRUE(Same(PixelAt(rgb, kWidth, kWidth / 2, y), backdrop, 1)) << "row " << y;
  }
}

TEST_F(ScenePixelsTest, EachPlanetShowsItsOwnTextureAtItsCentre) {
  for (int frame = 0; frame < 3; ++frame) {
    const auto rgb = Draw(kAllHigh + frame);
    for (int p = 0; p < orvanth::kPlanetCount; ++p) {
      const orvanth::PlanetPlace& place = orvanth::kPlanetTable[static_cast<std::size_t>(p)];
      const orvanth::Planet& planet = PlanetState[p];
      const double half = place.size * 0.5;
      const double y = place.size * planet.height_scale * (planet.height + 0.1);
      const Rgb colour = kTextureColours[static_cast<std::size_t>(p + 1)];
      EXPECT_TRUE(Same(At(rgb, half * place.x, y, half * place.z), colour, 3))
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
  const Rgb first = At(first_frame_, half * place.x, y, half * place.z);
  const Rgb second = At(second_frame_, half * place.x, y, half * place.z);
  EXPECT_GT(Brightness(second), Brightness(first) + 150);
  const Rgb planet = kTextureColours[5];
  // Later: backdrop plus 0.4 of the texture (and the water on top), so every
  // channel at least the backdrop's.
  EXPECT_GE(second.r, 143);
  EXPECT_GE(second.g, 146);
  EXPECT_LT(first.g, 146);
  EXPECT_GT(first.r, first.g + (planet.r - planet.g) / 4);
}

TEST_F(ScenePixelsTest, WallsAreBrighterAtTheFront) {
  const auto rgb = Draw(kAllHigh);
  // Only the back parts of the walls are in view; the front edges lie
  // below and beside the picture.
  struct Pair {
    double x;
    double front_z;
  };
  for (Pair wall : {Pair{-2.5, -1.5}, Pair{2.5, -0.5}}) {
    const double x = wall.x;
    const Rgb front = At(rgb, x, 0.2, wall.front_z);
    const Rgb back = At(rgb, x, 0.2, -2.4);
    EXPECT_GT(Brightness(front), Brightness(back) + 30) << "wall at x " << x;
    // Grey: no texture on the walls.
    EXPECT_TRUE(Same(front, {front.r, front.r, front.r}, 6));
  }
}

TEST_F(ScenePixelsTest, WaterAddsItsTextureMoreTowardsTheFront) {
  const auto rgb = Draw(kAllHigh);
  const Rgb backdrop{143, 146, 148};
  // A lane between the planets and their reflections.
  const Rgb front = At(rgb, 0.4, 0.0, 1.6);
  const Rgb middle = At(rgb, 0.4, 0.0, -1.2);
  const Rgb back = At(rgb, 0.4, 0.0, -2.3);
  EXPECT_GT(Brightness(front), Brightness(middle) + 20);
  EXPECT_GT(Brightness(middle), Brightness(back) + 20);
  // Added light: never darker than the backdrop, and most in blue.
  EXPECT_GE(front.b, backdrop.b);
  EXPECT_GT(front.b - backdrop.b, front.r - backdrop.r);
}

std::size_t DifferingPixels(const std::vector<std::uint8_t>& a,
                            const std::vector<std::uint8_t>& b) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < a.size(); i += 3) {
    differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1U : 0U;
  }
  return differing;
}

TEST_F(ScenePixelsTest, PictureChangesBetweenFrames) {
  const auto first = Draw(kAllHigh);
  const auto later = Draw(kAllHigh + 2000);
  EXPECT_GT(DifferingPixels(first, later), 1000U);
}

TEST_F(ScenePixelsTest, TouchingPlanetsRippleTheWater) {
  const auto calm = Draw(kAllHigh);
  EXPECT_EQ(DifferingPixels(calm, Draw(kAllHigh)), 0U) << "still water must look the same";
  // All planets touch the water in the first 1/10 s; the pool steps 60
  // times a second of SceneTime. Then they hang still while the rings
  // spread, so only the water can change the picture.
  std::vector<std::uint8_t> rippled;
  for (int frame = 0; frame < 20; ++frame) {
    Draw(frame * 17);
  }
  rippled = Draw(kAllHigh);
  EXPECT_NE(HeightGrid[32 - 6][31 + 6], 0.0F);
  EXPECT_GT(DifferingPixels(calm, rippled), 500U);
}

TEST_F(ScenePixelsTest, DrawingFramesAllocatesNothing) {
  for (int frame = 0; frame < 20; ++frame) {
    SceneTime = frame * 40;
    DrawFrame();
    window_->Swap();
  }
  orvanth::test::StartCountingAllocations();
  for (int frame = 0; frame < 300; ++frame) {
    SceneTime = 800 + frame * 40;
    DrawFrame();
  }
  orvanth::test::StopCountingAllocations();
  glFinish();
  // The software GL driver allocates inside its draw calls (C code, through
  // malloc); the scene's own code must not allocate at all. Its CPU work is
  // checked with malloc counted as well in the simulation tests.
  EXPECT_EQ(orvanth::test::CountedNewAllocations(), 0U);
}

}  // namespace

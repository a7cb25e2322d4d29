// Where the scene goes: once into each monitor's part of the screen.
#include <gtest/gtest.h>

#include <vector>

#include "renderer/placement.h"

using orvanth::Monitor;
using orvanth::Rect;

TEST(SceneAreas, EachMonitorCutToTheScreenPrimaryFirstClonesOnce) {
  const Rect screen{0, 0, 3000, 1200};
  const Rect left{0, 0, 1920, 1200};
  const Rect right{1920, 100, 1080, 1920};
  const Rect right_cut{1920, 100, 1080, 1100};
  const struct {
    const char* what;
    std::vector<Monitor> monitors;
    std::vector<Rect> areas;
  } cases[] = {
      {"no monitor", {}, {screen}},
      {"one", {{screen, true}}, {screen}},
      {"two, none primary", {{left, false}, {right, false}}, {left, right_cut}},
      {"the primary second", {{left, false}, {right, true}}, {right_cut, left}},
      {"partly off screen", {{{-100, -50, 500, 400}, true}}, {{0, 0, 400, 350}}},
      {"wholly off screen", {{{4000, 0, 800, 600}, true}, {left, false}}, {left}},
      {"empty", {{{0, 0, 0, 0}, false}}, {screen}},
      {"a clone", {{left, false}, {left, true}}, {left}},
      {"a smaller clone", {{{0, 0, 1280, 1024}, true}, {left, false}}, {left}},
      {"overlapping",
       {{left, true}, {{1800, 0, 1200, 1000}, false}},
       {left, {1800, 0, 1200, 1000}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::scene_areas(c.monitors, screen.width, screen.height), c.areas) << c.what;
  }
}

TEST(SceneAreas, GlOriginIsTheBottomLeft) {
  EXPECT_EQ(orvanth::gl_area({640, 0, 640, 1024}, 1024), (Rect{640, 0, 640, 1024}));
  EXPECT_EQ(orvanth::gl_area({0, 100, 400, 300}, 1000), (Rect{0, 600, 400, 300}));
}

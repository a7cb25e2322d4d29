// Where the scene goes: the primary monitor's part of the screen.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "renderer/placement.h"

using orvanth::Monitor;
using orvanth::Rect;

TEST(SceneArea, PrimaryMonitorElseTheFirstCutToTheScreen) {
  const Rect screen{0, 0, 3000, 1200};
  const Rect left{0, 0, 1920, 1200};
  const Rect right{1920, 100, 1080, 1920};
  const struct {
    std::vector<Monitor> monitors;
    Rect area;
  } cases[] = {
      {{}, screen},
      {{{screen, true}}, screen},
      {{{left, false}, {right, false}}, left},
      {{{left, false}, {right, true}}, {1920, 100, 1080, 1100}},
      {{{{-100, -50, 500, 400}, true}}, {0, 0, 400, 350}},
      {{{{4000, 0, 800, 600}, true}, {left, false}}, screen},
      {{{{0, 0, 0, 0}, false}}, screen},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::scene_area(c.monitors, screen.width, screen.height), c.area)
        << c.monitors.size() << " monitors";
  }
}

TEST(SceneArea, GlOriginIsTheBottomLeft) {
  EXPECT_EQ(orvanth::gl_area({640, 0, 640, 1024}, 1024), (Rect{640, 0, 640, 1024}));
  EXPECT_EQ(orvanth::gl_area({0, 100, 400, 300}, 1000), (Rect{0, 600, 400, 300}));
}

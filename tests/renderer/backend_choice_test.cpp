// Which window backend the renderer tries, and the pointer test across
// Wayland surfaces.
#include <gtest/gtest.h>

#include "renderer/backend_choice.h"
#include "renderer/surface_pointer.h"

namespace orvanth {
namespace {

using enum WindowBackend;

TEST(BackendChoice, FollowsTheForcedValueTheHostAndWaylandDisplay) {
  struct Case {
    const char* forced;
    const char* wayland;
    const char* host;
    std::vector<WindowBackend> expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, {kX11}},
      {nullptr, "", nullptr, {kX11}},
      {nullptr, "wayland-1", nullptr, {kWayland, kX11}},
      {"x11", "wayland-1", nullptr, {kX11}},
      {"wayland", nullptr, nullptr, {kWayland}},
      {"something", "wayland-1", nullptr, {kWayland, kX11}},
      {"", nullptr, nullptr, {kX11}},
      // A host's window is an X window, whatever else is set.
      {"wayland", "wayland-1", "0x400001", {kX11}},
      {nullptr, "wayland-1", "", {kWayland, kX11}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(backends_to_try(c.forced, c.wayland, c.host), c.expected)
        << (c.forced ? c.forced : "-") << " " << (c.wayland ? c.wayland : "-") << " "
        << (c.host ? c.host : "-");
  }
}

TEST(SurfacePointer, CountsFromTheFirstEnterAndGoesOnAcrossSurfaces) {
  const int left = 0;
  const int right = 0;
  SurfacePointer pointer;
  EXPECT_EQ(pointer.x(), 0);  // before any enter: at the start point
  pointer.enter(&left, 500.0, 300.0);
  EXPECT_EQ(pointer.x(), 0);
  EXPECT_EQ(pointer.y(), 0);
  pointer.motion(520.0, 330.5);
  EXPECT_EQ(pointer.x(), 20);
  EXPECT_EQ(pointer.y(), 31);  // rounded to the nearest pixel
  // Into the other output's surface at its left edge: from there on.
  pointer.enter(&right, 0.0, 330.5);
  pointer.motion(15.0, 340.5);
  EXPECT_EQ(pointer.x(), 35);
  EXPECT_EQ(pointer.y(), 41);
  // Back into the first one: again from where it was.
  pointer.enter(&left, 530.0, 300.0);
  pointer.motion(540.0, 300.0);
  EXPECT_EQ(pointer.x(), 45);
  EXPECT_EQ(pointer.y(), 41);
  // Within the same surface a leave and enter keep its coordinates.
  pointer.enter(&left, 560.0, 310.0);
  EXPECT_EQ(pointer.x(), 65);
  EXPECT_EQ(pointer.y(), 51);
  // Its surface gone (output unplugged): the next enter goes on from here.
  pointer.surface_gone(&left);
  pointer.enter(&left, 10.0, 10.0);
  EXPECT_EQ(pointer.x(), 65);
  EXPECT_EQ(pointer.y(), 51);
}

}  // namespace
}  // namespace orvanth

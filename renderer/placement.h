// Where the scene goes: into a host's window named by XSCREENSAVER_WINDOW, or
// once into each monitor's rectangle of the screen. Plain C++.
#pragma once

#include <span>
#include <vector>

namespace orvanth {

struct Rect {
  int x;
  int y;
  int width;
  int height;
  bool operator==(const Rect&) const = default;
};

struct Monitor {
  Rect area;  // in screen pixels, top-left origin
  bool primary;
};

// The parts of a screen of this size that show the scene, one per monitor,
// each cut to the screen, the primary monitor's first. A monitor lying
// within another (a clone) shares that one's picture; monitors off the
// screen or empty are left out. The whole screen when none is left.
std::vector<Rect> scene_areas(std::span<const Monitor> monitors, int screen_width,
                              int screen_height);

// The same rectangle with GL's bottom-left origin, for glViewport/glScissor.
constexpr Rect gl_area(const Rect& area, int window_height) {
  return {area.x, window_height - area.y - area.height, area.width, area.height};
}

}  // namespace orvanth

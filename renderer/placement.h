// Where the scene goes: into a host's window named by XSCREENSAVER_WINDOW, or
// into the primary monitor's rectangle of the X screen. Plain C++.
#pragma once

#include <optional>
#include <span>
#include <string_view>

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

// The primary monitor's rectangle, else the first monitor's, cut to the
// screen; the whole screen when there is no monitor or it lies off screen.
Rect scene_area(std::span<const Monitor> monitors, int screen_width, int screen_height);

// The same rectangle with GL's bottom-left origin, for glViewport/glScissor.
constexpr Rect gl_area(const Rect& area, int window_height) {
  return {area.x, window_height - area.y - area.height, area.width, area.height};
}

}  // namespace orvanth

#include "renderer/placement.h"

#include <algorithm>

namespace orvanth {

Rect scene_area(std::span<const Monitor> monitors, int screen_width, int screen_height) {
  const Rect screen{0, 0, screen_width, screen_height};
  if (monitors.empty()) {
    return screen;
  }
  const auto primary =
      std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  const Rect chosen = (primary != monitors.end() ? *primary : monitors.front()).area;
  const int left = std::max(chosen.x, 0);
  const int top = std::max(chosen.y, 0);
  const int right = std::min(chosen.x + chosen.width, screen_width);
  const int bottom = std::min(chosen.y + chosen.height, screen_height);
  if (right <= left || bottom <= top) {
    return screen;
  }
  return {left, top, right - left, bottom - top};
}

}  // namespace orvanth

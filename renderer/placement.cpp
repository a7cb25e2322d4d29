#include "renderer/placement.h"

#include <algorithm>

namespace orvanth {

namespace {

bool lies_within(const Rect& inner, const Rect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace

std::vector<Rect> scene_areas(std::span<const Monitor> monitors, int screen_width,
                              int screen_height) {
  std::vector<Rect> cut;
  // The primary first, so that it wins among equal clones and gives the
  // view its size.
  for (const bool primary : {true, false}) {
    for (const Monitor& monitor : monitors) {
      if (monitor.primary != primary) {
        continue;
      }
      const Rect& m = monitor.area;
      const int left = std::max(m.x, 0);
      const int top = std::max(m.y, 0);
      const int right = std::min(m.x + m.width, screen_width);
      const int bottom = std::min(m.y + m.height, screen_height);
      if (right > left && bottom > top) {
        cut.push_back({left, top, right - left, bottom - top});
      }
    }
  }
  std::vector<Rect> areas;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    bool inside_another = false;
    for (std::size_t j = 0; j < cut.size() && !inside_another; ++j) {
      // Of two equal ones the first stays.
      inside_another = j != i && lies_within(cut[i], cut[j]) && (cut[i] != cut[j] || j < i);
    }
    if (!inside_another) {
      areas.push_back(cut[i]);
    }
  }
  if (areas.empty()) {
    areas.push_back({0, 0, screen_width, screen_height});
  }
  return areas;
}

}  // namespace orvanth

#include "renderer/placement.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvanth {

std::optional<unsigned long> parse_window_id(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  unsigned long id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || id == 0) {
    return std::nullopt;
  }
  return id;
}

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

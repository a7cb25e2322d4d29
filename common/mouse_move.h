// The mouse test that ends a run, in the shell's mouse watch and in the
// renderer's frame loop alike: the pointer more than 30 pixels from where it
// was at the start, on both axes at once. Plain C++.
#pragma once

namespace orvanth {

inline constexpr int kMouseSlack = 30;

constexpr bool cursor_moved_far(int start_x, int start_y, int x, int y) {
  const int dx = x > start_x ? x - start_x : start_x - x;
  const int dy = y > start_y ? y - start_y : start_y - y;
  return dx > kMouseSlack && dy > kMouseSlack;
}

}  // namespace orvanth

// The frame loop's rules that need no window: the tick arithmetic, the
// smoothing of the scene time, the mouse test and the Escape key. Plain C++.
#pragma once

#include <cstdint>

#include "common/mouse_move.h"

namespace orvanth {

// now - start with 32-bit wrap-around.
constexpr std::uint32_t elapsed_ticks(std::uint32_t now, std::uint32_t start) {
  return now - start;
}

// (previous + elapsed) / 2, the sum in 64 bits, truncated toward zero.
constexpr std::int32_t smooth_scene_time(std::int32_t previous, std::uint32_t elapsed) {
  return static_cast<std::int32_t>((std::int64_t{previous} + std::int64_t{elapsed}) / 2);
}

inline constexpr int kVirtualKeyEscape = 27;

// Whether Escape went down since the last check. KeyState alone loses a tap
// whose press and release both arrive before the frame that would test it.
class EscapeLatch {
 public:
  void key(int virtual_key, bool pressed) {
    if (pressed && virtual_key == kVirtualKeyEscape) {
      pressed_ = true;
    }
  }
  // Reads and clears.
  bool take() {
    const bool pressed = pressed_;
    pressed_ = false;
    return pressed;
  }

 private:
  bool pressed_ = false;
};

}  // namespace orvanth

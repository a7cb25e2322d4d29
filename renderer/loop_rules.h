// The frame loop's rules that need no window: the tick arithmetic, the
// smoothing of the scene time, the mouse test, the Escape key and the frame
// pacing. Plain C++.
#pragma once

#include <cmath>
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

// The time between frames, in microseconds, for a monitor's refresh rate in
// hertz; 60 Hz where none is reported (0) or the rate is not believable.
inline constexpr double kDefaultRefreshHz = 60.0;
constexpr std::int64_t frame_period_us(double refresh_hz) {
  if (!(refresh_hz >= 20.0 && refresh_hz <= 1000.0)) {
    refresh_hz = kDefaultRefreshHz;
  }
  return std::llround(1e6 / refresh_hz);
}

// Frames paced to the display where the swap does not wait for it: a frame
// is due one period after the previous one began. Anchored on the start
// rather than on a fixed grid, it never falls behind a swap that does wait.
class FramePacer {
 public:
  // A period of 0: unpaced, every frame due at once.
  explicit FramePacer(std::int64_t period_us) : period_us_(period_us) {}
  // Microseconds until the next frame is due; 0 when it is.
  std::int64_t wait_us(std::int64_t now_us) const {
    if (period_us_ <= 0 || !started_) {
      return 0;
    }
    const std::int64_t due = last_start_us_ + period_us_;
    return due > now_us ? due - now_us : 0;
  }
  void frame_started(std::int64_t now_us) {
    last_start_us_ = now_us;
    started_ = true;
  }

 private:
  std::int64_t period_us_;
  std::int64_t last_start_us_ = 0;
  bool started_ = false;
};

}  // namespace orvanth

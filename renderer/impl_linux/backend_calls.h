// The two window backends on Linux, each behind the same calls, so that one
// Orvanth.data can choose between X11 and Wayland at run time.
#pragma once

#include "renderer/render_window.h"

namespace orvanth::window {

struct BackendCalls {
  const char* name;
  bool (*open)(int bits, Opened& opened);
  Message (*next_message)();
  void (*swap_buffers)();
  bool (*next_surface)(int& width, int& height);
  bool (*set_swap_interval)(int interval);
  void (*wait_for_message)(std::int64_t microseconds);
  std::optional<CursorPoint> (*cursor_position)();
  void (*show_cursor)(bool shown);
  void (*close)();
};

extern const BackendCalls kX11Calls;
extern const BackendCalls kWaylandCalls;

}  // namespace orvanth::window

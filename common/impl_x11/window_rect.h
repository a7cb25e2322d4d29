// GetWindowRect: a window's rectangle in screen (root) pixels.
#pragma once

#include <X11/Xlib.h>

namespace orvanth::x11 {

struct Rect {
  int left;
  int top;
  int right;   // one past the last column
  int bottom;  // one past the last row
};

// The window's outer rectangle in root coordinates; an empty rectangle at
// (0, 0) when the window does not exist or dpy is null.
Rect window_rect(Display* dpy, Window window);

}  // namespace orvanth::x11

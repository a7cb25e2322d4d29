// ShowCursor and GetCursorPos: the global cursor and the pointer position.
#pragma once

#include <X11/Xlib.h>

#include <optional>

namespace orvanth::x11 {

struct Point {
  int x;
  int y;
};

// Hides / shows the cursor on the whole screen through XFixes. The X server
// undoes a hide when the process ends. False without a display or XFixes.
bool hide_cursor();
bool show_cursor();
// The same on a connection of the caller's, whose error handler sees any
// failure; false without XFixes.
bool hide_cursor(Display* dpy);
bool show_cursor(Display* dpy);

// The pointer's position in root (screen) pixels; nothing on failure.
std::optional<Point> pointer_position();
std::optional<Point> pointer_position(Display* dpy);

}  // namespace orvanth::x11

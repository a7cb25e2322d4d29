// ShowCursor and GetCursorPos: the global cursor and the pointer position.
#pragma once

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

// The pointer's position in root (screen) pixels; nothing on failure.
std::optional<Point> pointer_position();

}  // namespace orvanth::x11

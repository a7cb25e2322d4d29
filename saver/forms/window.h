// Windows of the forms runtime: the handle, finding a top-level window by
// its exact title, whether a window still exists, its screen rectangle, and
// the caption animation between two rectangles.
#pragma once

#include <cstdint>
#include <string>

namespace orvanth::forms {

// A window of the platform (an X window id, an HWND); 0 is none.
using WindowHandle = std::uintptr_t;

// Screen pixels; right and bottom are one past the last column and row.
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

// FindWindowA(NULL, title): the top-level window bearing exactly title; 0
// when there is none or the windows cannot be asked.
WindowHandle find_window(const std::string& title);

// Whether the window exists.
bool window_exists(WindowHandle window);

// GetWindowRect: the window's rectangle on the screen; empty at (0, 0) when
// the window does not exist.
Rect window_rect(WindowHandle window);

// DrawAnimatedRects(window, IDANI_CAPTION, from, to): a short zoom of an
// outline from one rectangle to the other. Returns when it has played; it
// never fails visibly.
void draw_animated_rects(WindowHandle window, const Rect& from, const Rect& to);

}  // namespace orvanth::forms

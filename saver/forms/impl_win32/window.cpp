// Windows of the window manager: FindWindowA, IsWindow, GetWindowRect and
// DrawAnimatedRects.
#include <windows.h>

#include "saver/forms/window.h"

namespace orvanth::forms {
namespace {

HWND handle(WindowHandle window) { return reinterpret_cast<HWND>(window); }

RECT rect_of(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

WindowHandle find_window(const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowA(nullptr, title.c_str()));
}

bool window_exists(WindowHandle window) { return window != 0 && IsWindow(handle(window)); }

Rect window_rect(WindowHandle window) {
  RECT r{};
  if (window == 0 || !GetWindowRect(handle(window), &r)) {
    return Rect{0, 0, 0, 0};
  }
  return Rect{r.left, r.top, r.right, r.bottom};
}

void draw_animated_rects(WindowHandle window, const Rect& from, const Rect& to) {
  const RECT a = rect_of(from);
  const RECT b = rect_of(to);
  DrawAnimatedRects(handle(window), IDANI_CAPTION, &a, &b);
}

}  // namespace orvanth::forms

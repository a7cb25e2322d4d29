// Windows on the shell's own X connection.
#include "saver/forms/window.h"

#include "common/impl_x11/animated_rects.h"
#include "common/impl_x11/connection.h"
#include "common/impl_x11/find_window.h"
#include "common/impl_x11/window_rect.h"

namespace orvanth::forms {

WindowHandle find_window(const std::string& title) {
  return x11::find_window_by_title(x11::display(), title);
}

bool window_exists(WindowHandle window) {
  Display* dpy = x11::display();
  if (dpy == nullptr) {
    return false;
  }
  x11::ErrorTrap trap(dpy);
  XWindowAttributes attributes{};
  const Status ok = XGetWindowAttributes(dpy, static_cast<Window>(window), &attributes);
  return !trap.failed() && ok != 0;
}

Rect window_rect(WindowHandle window) {
  const x11::Rect r = x11::window_rect(x11::display(), static_cast<Window>(window));
  return Rect{r.left, r.top, r.right, r.bottom};
}

// The outline is drawn above every window; the window itself is not needed.
void draw_animated_rects(WindowHandle /*window*/, const Rect& from, const Rect& to) {
  x11::draw_animated_rects(x11::Rect{from.left, from.top, from.right, from.bottom},
                           x11::Rect{to.left, to.top, to.right, to.bottom});
}

}  // namespace orvanth::forms

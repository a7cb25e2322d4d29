#include "common/impl_x11/window_rect.h"

#include "common/impl_x11/connection.h"

namespace orvanth::x11 {

Rect window_rect(Display* dpy, Window window) {
  if (dpy == nullptr || window == 0) {
    return Rect{0, 0, 0, 0};
  }
  ErrorTrap trap(dpy);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(dpy, window, &attributes) == 0 || trap.failed()) {
    return Rect{0, 0, 0, 0};
  }
  int x = 0;
  int y = 0;
  Window child = 0;
  if (XTranslateCoordinates(dpy, window, attributes.root, 0, 0, &x, &y, &child) == 0 ||
      trap.failed()) {
    return Rect{0, 0, 0, 0};
  }
  return Rect{x, y, x + attributes.width, y + attributes.height};
}

}  // namespace orvanth::x11

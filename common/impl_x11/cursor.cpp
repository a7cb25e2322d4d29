#include "common/impl_x11/cursor.h"

#include <X11/extensions/Xfixes.h>

#include "common/impl_x11/connection.h"

namespace orvanth::x11 {
namespace {

bool have_xfixes(Display* dpy) {
  int event_base = 0;
  int error_base = 0;
  return dpy != nullptr && XFixesQueryExtension(dpy, &event_base, &error_base) != 0;
}

}  // namespace

bool hide_cursor(Display* dpy) {
  if (!have_xfixes(dpy)) {
    return false;
  }
  XFixesHideCursor(dpy, DefaultRootWindow(dpy));
  return true;
}

bool show_cursor(Display* dpy) {
  if (!have_xfixes(dpy)) {
    return false;
  }
  XFixesShowCursor(dpy, DefaultRootWindow(dpy));
  return true;
}

bool hide_cursor() {
  Display* dpy = display();
  ErrorTrap trap(dpy);
  return hide_cursor(dpy) && !trap.failed();
}

bool show_cursor() {
  Display* dpy = display();
  ErrorTrap trap(dpy);
  return show_cursor(dpy) && !trap.failed();
}

std::optional<Point> pointer_position() { return pointer_position(display()); }

std::optional<Point> pointer_position(Display* dpy) {
  if (dpy == nullptr) {
    return std::nullopt;
  }
  // Only the root coordinates are kept.
  Window root = 0, child = 0;
  int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
  unsigned int mask = 0;
  if (XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &root_x, &root_y, &win_x, &win_y,
                    &mask) == 0) {
    return std::nullopt;
  }
  return Point{root_x, root_y};
}

}  // namespace orvanth::x11

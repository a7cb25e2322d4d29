#include "common/impl_x11/connection.h"

namespace orvanth::x11 {
namespace {

// Module state: the connection and a count of X errors seen on any
// connection of this process (Xlib's error handler is process-wide).
Display* connection = nullptr;
bool tried = false;
int error_count = 0;

int count_error(Display* /*dpy*/, XErrorEvent* /*event*/) {
  ++error_count;
  return 0;
}

}  // namespace

Display* display() {
  if (!tried) {
    tried = true;
    XSetErrorHandler(count_error);
    connection = XOpenDisplay(nullptr);
  }
  return connection;
}

ErrorTrap::ErrorTrap(Display* dpy) : dpy_(dpy), previous_count_(error_count) {
  XSetErrorHandler(count_error);
}

ErrorTrap::~ErrorTrap() {
  if (dpy_ != nullptr) {
    XSync(dpy_, False);
  }
}

bool ErrorTrap::failed() {
  if (dpy_ != nullptr) {
    XSync(dpy_, False);
  }
  return error_count != previous_count_;
}

}  // namespace orvanth::x11

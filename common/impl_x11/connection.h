// The shell's own Xlib connection to the X server, opened on first use and
// kept for the life of the process (a cursor hidden through XFixes stays
// hidden only while the connection that hid it is open).
#pragma once

#include <X11/Xlib.h>

namespace orvanth::x11 {

// The process-wide connection, or nullptr when no X display can be opened.
// X errors on it never end the process; ErrorTrap tells whether one came.
Display* display();

// Catches the X errors of the requests made while it lives.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* dpy);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server to answer every request made so far; true when any
  // of them failed.
  bool failed();

 private:
  Display* dpy_;
  int previous_count_;
};

}  // namespace orvanth::x11

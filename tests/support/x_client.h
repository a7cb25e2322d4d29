// Test support on the test X server: an X client of its own that makes host
// and guard windows and watches what other clients map, and look-ups and
// requests on other clients' windows.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <vector>

namespace orvanth::test {

// A connection of its own to the test X server (nullptr without one), closed
// at the end.
class XConnection {
 public:
  XConnection() : display_(XOpenDisplay(nullptr)) {}
  ~XConnection() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  Display* get() const { return display_; }

 private:
  Display* display_;
};

class XClient {
 public:
  XClient();
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;

  Display* display() const { return dpy_; }

  // A mapped top-level window with the title (WM_NAME and _NET_WM_NAME).
  Window make_window(const std::string& title, unsigned width, unsigned height);
  void destroy(Window w);
  // Whether a window not made by this client was mapped as a child of the
  // root since the last call.
  bool foreign_window_mapped();
  std::vector<Window> children(Window w);

 private:
  bool is_own(Window w) const;

  XConnection connection_;
  Display* const dpy_ = connection_.get();
  std::vector<Window> own_;
};

// The window's WM_NAME, "" when it has none.
std::string window_name(Display* display, Window window);
// A viewable top-level window (a child of the root) titled title, or 0.
Window find_window(Display* display, const std::string& title);
// A WM_DELETE_WINDOW close request, as a window manager sends it.
void send_close_request(Display* display, Window window);
// Colour of one root pixel as 0xRRGGBB.
unsigned long root_pixel(Display* display, int x, int y);
void move_pointer(Display* display, int x, int y);
// Whether the pointer's current cursor image has any pixel that is not
// fully transparent.
bool cursor_visible(Display* display);
// xdotool with the given arguments, its output dropped; true when it succeeded.
bool xdotool(const std::string& args);
// A left click at a root position. xdotool's synchronous move waits for a
// motion that never comes when the pointer is already there, so the pointer
// is first put one pixel off.
bool click_at(int x, int y);

}  // namespace orvanth::test

// Test support: an X client of its own that makes host and guard windows and
// watches what other clients map on the screen.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

namespace orvanth::test {

class XClient {
 public:
  XClient() : dpy_(XOpenDisplay(nullptr)) {
    if (dpy_ != nullptr) {
      XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureNotifyMask);
      XSync(dpy_, False);
    }
  }
  ~XClient() {
    if (dpy_ != nullptr) {
      XCloseDisplay(dpy_);
    }
  }
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;

  Display* display() const { return dpy_; }

  // A mapped top-level window with the title (WM_NAME and _NET_WM_NAME).
  Window make_window(const std::string& title, unsigned width, unsigned height) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(dpy_, DefaultScreen(dpy_));
    const Window w = XCreateWindow(dpy_, DefaultRootWindow(dpy_), 100, 100, width, height, 0,
                                   CopyFromParent, InputOutput, CopyFromParent, CWBackPixel,
                                   &attributes);
    XStoreName(dpy_, w, title.c_str());
    XChangeProperty(dpy_, w, XInternAtom(dpy_, "_NET_WM_NAME", False),
                    XInternAtom(dpy_, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XMapWindow(dpy_, w);
    XSync(dpy_, False);
    own_.push_back(w);
    return w;
  }

  void destroy(Window w) {
    XDestroyWindow(dpy_, w);
    XSync(dpy_, False);
  }

  // Whether a window not made by this client was mapped as a child of the
  // root since the last call.
  bool foreign_window_mapped() {
    bool mapped = false;
    while (XPending(dpy_) > 0) {
      XEvent event{};
      XNextEvent(dpy_, &event);
      if (event.type == MapNotify && !is_own(event.xmap.window)) {
        mapped = true;
      }
    }
    return mapped;
  }

  std::vector<Window> children(Window w) {
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned count = 0;
    std::vector<Window> out;
    if (XQueryTree(dpy_, w, &root, &parent, &list, &count) != 0 && list != nullptr) {
      out.assign(list, list + count);
    }
    if (list != nullptr) {
      XFree(list);
    }
    return out;
  }

 private:
  bool is_own(Window w) const {
    for (const Window o : own_) {
      if (o == w) {
        return true;
      }
    }
    return false;
  }

  Display* dpy_;
  std::vector<Window> own_;
};

}  // namespace orvanth::test

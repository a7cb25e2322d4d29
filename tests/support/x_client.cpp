#include "tests/support/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cstdlib>

namespace orvanth::test {

namespace {

int ignore_x_error(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

// Windows of other clients may vanish while they are looked at; such an
// error must not end the test.
class IgnoredXErrors {
 public:
  explicit IgnoredXErrors(Display* display)
      : display_(display), previous_(XSetErrorHandler(ignore_x_error)) {}
  ~IgnoredXErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoredXErrors(const IgnoredXErrors&) = delete;
  IgnoredXErrors& operator=(const IgnoredXErrors&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_;
};

}  // namespace

XClient::XClient() {
  if (dpy_ != nullptr) {
    XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureNotifyMask);
    XSync(dpy_, False);
  }
}

Window XClient::make_window(const std::string& title, unsigned width, unsigned height) {
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(dpy_, DefaultScreen(dpy_));
  const Window w =
      XCreateWindow(dpy_, DefaultRootWindow(dpy_), 100, 100, width, height, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel, &attributes);
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

void XClient::destroy(Window w) {
  XDestroyWindow(dpy_, w);
  XSync(dpy_, False);
}

bool XClient::foreign_window_mapped() {
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

std::vector<Window> XClient::children(Window w) {
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

bool XClient::is_own(Window w) const {
  return std::find(own_.begin(), own_.end(), w) != own_.end();
}

// _NET_WM_NAME (UTF-8) first: a WM_NAME of other than Latin-1 text comes as
// COMPOUND_TEXT, whose bytes are not the title's.
std::string window_name(Display* display, Window window) {
  XTextProperty property{};
  const Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  if (XGetTextProperty(display, window, &property, net_name) != 0 && property.value != nullptr) {
    std::string name(reinterpret_cast<char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
  }
  if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) {
    return {};
  }
  std::string name(reinterpret_cast<char*>(property.value), property.nitems);
  XFree(property.value);
  return name;
}

Window find_window(Display* display, const std::string& title) {
  const IgnoredXErrors ignored(display);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return 0;
  }
  Window found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
        attributes.map_state == IsViewable && window_name(display, children[i]) == title) {
      found = children[i];
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

void send_close_request(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

unsigned long root_pixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 0;
  }
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFUL;
  XDestroyImage(image);
  return pixel;
}

void move_pointer(Display* display, int x, int y) {
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
  XSync(display, False);
}

bool cursor_visible(Display* display) {
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) {
    return true;
  }
  bool visible = false;
  for (int i = 0; i < image->width * image->height; ++i) {
    visible = visible || (image->pixels[i] & 0xFF000000UL) != 0;
  }
  XFree(image);
  return visible;
}

bool xdotool(const std::string& args) {
  return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

bool click_at(int x, int y) {
  const std::string to = std::to_string(x) + " " + std::to_string(y);
  return xdotool("mousemove " + std::to_string(x + 1) + " " + std::to_string(y + 1)) &&
         xdotool("mousemove --sync " + to + " click 1");
}

}  // namespace orvanth::test

#include "common/impl_x11/find_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <optional>
#include <vector>

#include "common/impl_x11/connection.h"

namespace orvanth::x11 {
namespace {

// One property of a window as read; freed with the reader.
class Property {
 public:
  Property(Display* dpy, Window window, Atom property, long length, Atom type)
      : read_(XGetWindowProperty(dpy, window, property, 0, length, False, type, &type_, &format_,
                                 &count_, &remaining_, &data_) == Success) {}
  ~Property() {
    if (data_ != nullptr) {
      XFree(data_);
    }
  }
  Property(const Property&) = delete;
  Property& operator=(const Property&) = delete;

  bool read() const { return read_; }
  // Whether it was read with the given item size (8, 16 or 32) and holds data.
  bool holds(int format) const { return read_ && data_ != nullptr && format_ == format; }
  Atom type() const { return type_; }
  unsigned long count() const { return count_; }
  const unsigned char* data() const { return data_; }

 private:
  Atom type_ = None;
  int format_ = 0;
  unsigned long count_ = 0;
  unsigned long remaining_ = 0;
  unsigned char* data_ = nullptr;
  bool read_;
};

std::optional<std::string> text_property(Display* dpy, Window window, Atom property, Atom type) {
  const Property p(dpy, window, property, 4096, type);
  if (!p.holds(8) || p.type() == None) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(p.data()), p.count());
}

std::vector<Window> children_of(Display* dpy, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> out;
  if (XQueryTree(dpy, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
    out.assign(children, children + count);
  }
  if (children != nullptr) {
    XFree(children);
  }
  return out;
}

std::vector<Window> client_list(Display* dpy, Window root) {
  const Property p(dpy, root, XInternAtom(dpy, "_NET_CLIENT_LIST", False), 65536, XA_WINDOW);
  if (!p.holds(32)) {
    return {};
  }
  const auto* ids = reinterpret_cast<const unsigned long*>(p.data());
  return {ids, ids + p.count()};
}

bool has_wm_state(Display* dpy, Window window) {
  const Property p(dpy, window, XInternAtom(dpy, "WM_STATE", False), 2, AnyPropertyType);
  return p.read() && p.type() != None;
}

// The window's title: _NET_WM_NAME when set, else WM_NAME; "" when neither.
std::string window_title(Display* dpy, Window window) {
  const Atom net_name = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  if (auto name = text_property(dpy, window, net_name, utf8)) {
    return *name;
  }
  return text_property(dpy, window, XA_WM_NAME, AnyPropertyType).value_or("");
}

}  // namespace

Window find_window_by_title(Display* dpy, const std::string& title) {
  if (dpy == nullptr) {
    return 0;
  }
  ErrorTrap trap(dpy);  // a window may vanish while we look at it
  const Window root = DefaultRootWindow(dpy);
  std::vector<Window> candidates = client_list(dpy, root);
  for (const Window top : children_of(dpy, root)) {
    candidates.push_back(top);
    // Under a reparenting window manager the titled client sits in a frame.
    for (const Window inner : children_of(dpy, top)) {
      if (has_wm_state(dpy, inner)) {
        candidates.push_back(inner);
      }
    }
  }
  Window found = 0;
  for (const Window w : candidates) {
    if (window_title(dpy, w) == title) {
      found = w;
      break;
    }
  }
  trap.failed();  // errors from vanished windows only mean "not this one"
  return found;
}

}  // namespace orvanth::x11

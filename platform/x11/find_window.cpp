#include "platform/x11/find_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <optional>
#include <vector>

#include "platform/x11/connection.h"

namespace orvanth::x11 {
namespace {

std::optional<std::string> text_property(Display* dpy, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, window, property, 0, 4096, False, type, &actual_type, &format,
                         &count, &remaining, &data) != Success) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (data != nullptr && actual_type != None && format == 8) {
    text = std::string(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return text;
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
  const Atom list = XInternAtom(dpy, "_NET_CLIENT_LIST", False);
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<Window> out;
  if (XGetWindowProperty(dpy, root, list, 0, 65536, False, XA_WINDOW, &actual_type, &format,
                         &count, &remaining, &data) == Success &&
      data != nullptr && format == 32) {
    const auto* ids = reinterpret_cast<const unsigned long*>(data);
    out.assign(ids, ids + count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return out;
}

bool has_wm_state(Display* dpy, Window window) {
  const Atom wm_state = XInternAtom(dpy, "WM_STATE", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(dpy, window, wm_state, 0, 2, False, AnyPropertyType,
                                        &type, &format, &count, &remaining, &data) == Success &&
                     type != None;
  if (data != nullptr) {
    XFree(data);
  }
  return found;
}

}  // namespace

std::string window_title(Display* dpy, Window window) {
  const Atom net_name = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  if (auto name = text_property(dpy, window, net_name, utf8)) {
    return *name;
  }
  return text_property(dpy, window, XA_WM_NAME, AnyPropertyType).value_or("");
}

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

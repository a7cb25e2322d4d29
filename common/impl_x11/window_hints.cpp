#include "common/impl_x11/window_hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>

namespace orvanth::x11 {

void set_title(Display* dpy, Window window, std::string_view title) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
  const int length = static_cast<int>(title.size());
  XChangeProperty(dpy, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, bytes, length);
  XChangeProperty(dpy, window, XInternAtom(dpy, "_NET_WM_NAME", False),
                  XInternAtom(dpy, "UTF8_STRING", False), 8, PropModeReplace, bytes, length);
}

Atom set_class_and_close_protocol(Display* dpy, Window window, const char* res_name,
                                  const char* res_class) {
  // Xlib takes the strings as writable.
  std::string name = res_name;
  std::string klass = res_class;
  XClassHint hint{};
  hint.res_name = name.data();
  hint.res_class = klass.data();
  XSetClassHint(dpy, window, &hint);
  Atom delete_atom = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(dpy, window, &delete_atom, 1);
  return delete_atom;
}

}  // namespace orvanth::x11

// What a top-level window of ours tells the window manager.
#pragma once

#include <X11/Xlib.h>

#include <string_view>

namespace orvanth::x11 {

// Sets the window's title, both the Latin-1 WM_NAME and the UTF-8
// _NET_WM_NAME, from the same bytes.
void set_title(Display* dpy, Window window, std::string_view title);

// Sets the window's class hint (res_name, res_class) and asks for close
// requests (WM_DELETE_WINDOW) in place of the connection being killed; gives
// the atom those requests carry.
Atom set_class_and_close_protocol(Display* dpy, Window window, const char* res_name,
                                  const char* res_class);

}  // namespace orvanth::x11

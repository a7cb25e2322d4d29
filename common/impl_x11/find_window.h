// FindWindowA(NULL, title): a top-level window by its exact title.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace orvanth::x11 {

// A top-level window whose title is exactly title: the root's children, the
// client window inside each window manager frame, and _NET_CLIENT_LIST.
// 0 when there is none, when dpy is null or on an X error.
Window find_window_by_title(Display* dpy, const std::string& title);

}  // namespace orvanth::x11

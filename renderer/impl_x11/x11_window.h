// What the X11 backend of the renderer's window shows beside orvanth::window,
// for its tests.
#pragma once

#include <X11/Xlib.h>

// The window procedure: one X event.
void RenderWindowProc(const XEvent& event);

namespace orvanth {

// The open display and the window; null/0 when none.
Display* render_display();
Window render_window();

}  // namespace orvanth

// What the X11 backend of the renderer's window shows beside orvanth::window.
#pragma once

#include <X11/Xlib.h>

// The window procedure: one X event.
void RenderWindowProc(const XEvent& event);

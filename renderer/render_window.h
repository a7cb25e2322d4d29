// The renderer's one window with its GL context, and the frame loop.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

// Module state of the window, one per process.
extern bool KeyState[256];      // by virtual-key code; only entry 27 is read
extern std::int32_t ViewWidth;  // window size chosen at creation, pixels
extern std::int32_t ViewHeight;
struct CursorPoint {
  std::int32_t x;
  std::int32_t y;
};
extern CursorPoint StartCursor;  // pointer position when the loop began

// Window, visual, GL context, shown and focused, view set up, SetupScene run.
// With XSCREENSAVER_WINDOW set, a child filling that host window instead,
// neither focused nor on top. False (everything released, nothing shown)
// when any of them fails.
bool CreateRenderWindow(int bits);

// Releases the GL context, the window and the display connection, each only
// if held; failures are ignored.
void DestroyRenderWindow();

// Viewport and a 45-degree perspective for a client area of this size.
void ResizeView(std::int32_t width, std::int32_t height);

// The window procedure: one X event.
void RenderWindowProc(const XEvent& event);

// Creates the window, draws frames until Escape, the mouse test, a close
// request, the window's destruction or a signal ends the loop, and cleans
// up. Hosted, only the last two and the end of the parent process count.
int RunRenderer();

namespace orvanth {

// The open display and the window; null/0 when none.
Display* render_display();
Window render_window();

// One frame of the loop: scene time from the tick, DrawFrame, swap.
void draw_one_frame(std::uint32_t start_tick);

}  // namespace orvanth

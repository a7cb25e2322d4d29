// The program's hidden top-level window: WM_TIMER for every forms timer, and
// the system's requests to end the program (WM_QUERYENDSESSION,
// WM_ENDSESSION, WM_CLOSE). Top-level rather than message-only, because the
// session's end is told to top-level windows alone. Made on first use, on
// the one GUI thread.
#pragma once

#include <windows.h>

#include <functional>

namespace orvanth::forms::win32 {

inline constexpr char kProgramWindowClass[] = "Orvanth.scr";
inline constexpr char kProgramWindowTitle[] = "Orvanth.scr";

// The window; nullptr when it could not be made.
HWND program_window();

// Tick handlers by timer id: WM_TIMER calls the one registered for its id.
void set_tick_handler(UINT_PTR id, std::function<void()> handler);
void clear_tick_handler(UINT_PTR id);

// What an end request runs, from the message loop; none: requests are
// answered and otherwise ignored.
void set_end_handler(std::function<void()> handler);

}  // namespace orvanth::forms::win32

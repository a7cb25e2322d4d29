// Registering a window class of this program: its own module, the arrow
// cursor, no background brush (the window paints all of itself).
#pragma once

#include <windows.h>

namespace orvanth::win32 {

// True when the class is registered now.
bool register_window_class(const char* name, WNDPROC procedure);

}  // namespace orvanth::win32

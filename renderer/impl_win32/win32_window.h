// What the Win32 backend of the renderer's window shows beside
// orvanth::window.
#pragma once

#include <windows.h>

// The window procedure of class "OpenGL".
LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

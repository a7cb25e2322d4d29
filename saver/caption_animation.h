// The caption animations of the dialog's opening and closing.
#pragma once

#include "saver/forms/window.h"

// The caption animation from the point (MouseX, MouseY) to the window's
// screen rectangle, and back.
void AnimateOpen(orvanth::forms::WindowHandle hWnd);
void AnimateClose(orvanth::forms::WindowHandle hWnd);

// What start-up and the forms share: the single-instance guard, the mode
// letter, and the caption animations.
#pragma once

#include <string>
#include <string_view>

#include "common/window_titles.h"
#include "saver/forms/window.h"

namespace orvanth {

// The mode letter: the command line's second character upper-cased, or '\0'
// for a line shorter than two characters.
char mode_letter(std::string_view command_line);

// Whether any guard window exists; all three look-ups are made.
bool another_copy_running();

// The page about Orvanth installed with it (share/doc/orvanth/index.html),
// found from the program folder; the build tree has it in the same place.
std::string local_page_path();

}  // namespace orvanth

// The caption animation from the point (MouseX, MouseY) to the window's
// screen rectangle, and back.
void AnimateOpen(orvanth::forms::WindowHandle hWnd);
void AnimateClose(orvanth::forms::WindowHandle hWnd);

// A plain modal message box with an OK button and no owner window, as
// MessageBoxA(text, caption, MB_OK) shows on Windows.
#pragma once

#include <string>

namespace orvanth {

// Prints "caption: text" to stderr, then shows a small window titled caption
// on the X display, above every other window: the caption in its top bar, the
// UTF-8 text wrapped to fit the screen, and an OK button. Returns once it is
// answered (OK clicked, Return, Space or Escape, or a close request). Without
// a display only the line is printed.
void show_message_box(const std::string& text, const std::string& caption);

}  // namespace orvanth

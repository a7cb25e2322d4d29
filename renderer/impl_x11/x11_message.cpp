// The texture loader's message box on X11: the box above the picture, and
// the same line on stderr for headless use.
#include "common/impl_x11/message_box.h"
#include "renderer/render_window.h"

namespace orvanth::window {

void show_message(const std::string& text, const std::string& caption) {
  show_message_box(text, caption);
}

}  // namespace orvanth::window

// The texture loader's message box on Windows: a plain OK box without owner.
// The same line goes to stderr, which a console or Wine's terminal shows.
#include <windows.h>

#include <cstdio>

#include "renderer/render_window.h"

namespace orvanth::window {

void show_message(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace orvanth::window

#include <cstdint>

#include "platform/x11/animated_rects.h"
#include "platform/x11/connection.h"
#include "platform/x11/window_rect.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/shell_state.h"
#include "saver/startup_support.h"

namespace orvanth {
namespace {

x11::Rect mouse_point() {
  const int x = MouseX;
  const int y = MouseY;
  return x11::Rect{x, y, x, y};
}

x11::Rect screen_rect(unsigned long window) {
  return x11::window_rect(x11::display(), static_cast<Window>(window));
}

}  // namespace

char mode_letter(std::string_view command_line) {
  if (command_line.size() < 2) {
    return '\0';
  }
  const char c = command_line[1];
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool another_copy_running() {
  bool found = false;
  for (const std::string_view title : kGuardTitles) {
    found = forms::find_window(std::string(title)) != 0 || found;
  }
  return found;
}

std::string local_page_path() {
  return forms::program_folder() + "/" + ORVANTH_DOC_FROM_PROGRAM + "/index.html";
}

}  // namespace orvanth

void AnimateOpen(unsigned long hWnd) {
  orvanth::x11::draw_animated_rects(orvanth::mouse_point(), orvanth::screen_rect(hWnd));
}

void AnimateClose(unsigned long hWnd) {
  orvanth::x11::draw_animated_rects(orvanth::screen_rect(hWnd), orvanth::mouse_point());
}

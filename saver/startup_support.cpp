#include "saver/startup_support.h"

#include "common/user_folders.h"
#include "saver/forms/program.h"
#include "saver/shell_state.h"

namespace orvanth {
namespace {

// Each coordinate widened with its sign.
forms::Rect mouse_point() {
  const int x = MouseX;
  const int y = MouseY;
  return forms::Rect{x, y, x, y};
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
  return path_in(forms::program_folder(), std::string(ORVANTH_DOC_FROM_PROGRAM) + kPathSeparator +
                                              "index.html");
}

}  // namespace orvanth

void AnimateOpen(orvanth::forms::WindowHandle hWnd) {
  using namespace orvanth;
  forms::draw_animated_rects(hWnd, mouse_point(), forms::window_rect(hWnd));
}

void AnimateClose(orvanth::forms::WindowHandle hWnd) {
  using namespace orvanth;
  forms::draw_animated_rects(hWnd, forms::window_rect(hWnd), mouse_point());
}

// The screen on Windows: the screen's logical dots per inch, ShowCursor and
// GetCursorPos.
#include <windows.h>

#include "saver/forms/screen.h"

namespace orvanth::forms {
namespace {

double screen_dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) {
    return 0.0;
  }
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

double twips_per_pixel_x() { return twips_per_pixel_for_dpi(screen_dpi(LOGPIXELSX)); }
double twips_per_pixel_y() { return twips_per_pixel_for_dpi(screen_dpi(LOGPIXELSY)); }

void hide_cursor() { ShowCursor(FALSE); }
void show_cursor() { ShowCursor(TRUE); }

std::optional<PointerPosition> pointer_position() {
  POINT point{};
  if (!GetCursorPos(&point)) {
    return std::nullopt;
  }
  return PointerPosition{point.x, point.y};
}

}  // namespace orvanth::forms

// The screen on Linux: Qt's logical dots per inch, XFixes for the cursor and
// the X pointer (none in a Wayland session).
#include "saver/forms/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

#include "common/impl_x11/cursor.h"

namespace orvanth::forms {
namespace {

double screen_dpi(bool horizontal) {
  if (QGuiApplication::instance() == nullptr) {
    return 0.0;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return 0.0;
  }
  return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

}  // namespace

double twips_per_pixel_x() { return twips_per_pixel_for_dpi(screen_dpi(true)); }
double twips_per_pixel_y() { return twips_per_pixel_for_dpi(screen_dpi(false)); }

void hide_cursor() { x11::hide_cursor(); }
void show_cursor() { x11::show_cursor(); }

std::optional<PointerPosition> pointer_position() {
  // In a Wayland session an X server (XWayland) sees the pointer only over X
  // windows, and no client sees it elsewhere: no position to trust. The run
  // then ends with its renderer, which tests the mouse over its own surfaces.
  if (const char* wayland = std::getenv("WAYLAND_DISPLAY");
      wayland != nullptr && *wayland != '\0') {
    return std::nullopt;
  }
  const auto p = x11::pointer_position();
  if (!p) {
    return std::nullopt;
  }
  return PointerPosition{p->x, p->y};
}

}  // namespace orvanth::forms

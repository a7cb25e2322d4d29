#include "saver/forms/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/x11/connection.h"
#include "platform/x11/cursor.h"
#include "platform/x11/find_window.h"

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

double twips_per_pixel_for_dpi(double dpi) {
  if (!std::isfinite(dpi) || dpi < 1.0) {
    return 15.0;
  }
  return kTwipsPerInch / dpi;
}

double twips_per_pixel_x() { return twips_per_pixel_for_dpi(screen_dpi(true)); }
double twips_per_pixel_y() { return twips_per_pixel_for_dpi(screen_dpi(false)); }

void hide_cursor() { x11::hide_cursor(); }
void show_cursor() { x11::show_cursor(); }

std::optional<PointerPosition> pointer_position() {
  const auto p = x11::pointer_position();
  if (!p) {
    return std::nullopt;
  }
  return PointerPosition{p->x, p->y};
}

unsigned long find_window(const std::string& title) {
  return x11::find_window_by_title(x11::display(), title);
}

}  // namespace orvanth::forms

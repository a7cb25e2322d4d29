// Screen services of the forms runtime: twips per pixel, the global cursor
// and the pointer position.
#pragma once

#include <cmath>
#include <optional>

namespace orvanth::forms {

inline constexpr double kTwipsPerInch = 1440.0;

// 1440 / dots per inch; 15 (96 dpi) when dpi is not a usable number.
inline double twips_per_pixel_for_dpi(double dpi) {
  return std::isfinite(dpi) && dpi >= 1.0 ? kTwipsPerInch / dpi : 15.0;
}

// From the primary screen's logical dots per inch; 15 before the runtime
// has started.
double twips_per_pixel_x();
double twips_per_pixel_y();

// ShowCursor(FALSE / TRUE) on the whole screen.
void hide_cursor();
void show_cursor();

// GetCursorPos in screen pixels; nothing when it cannot be read.
struct PointerPosition {
  int x;
  int y;
};
std::optional<PointerPosition> pointer_position();

}  // namespace orvanth::forms

// Screen services of the forms runtime: twips per pixel, the global cursor,
// the pointer position and finding a top-level window by exact title.
#pragma once

#include <optional>
#include <string>

namespace orvanth::forms {

inline constexpr double kTwipsPerInch = 1440.0;

// 1440 / dots per inch; 15 (96 dpi) when dpi is not a usable number.
double twips_per_pixel_for_dpi(double dpi);

// From the primary screen's logical dots per inch (Qt), 15 before the
// runtime has started.
double twips_per_pixel_x();
double twips_per_pixel_y();

// ShowCursor(FALSE / TRUE) on the whole screen.
void hide_cursor();
void show_cursor();

struct PointerPosition {
  int x;
  int y;
};
std::optional<PointerPosition> pointer_position();

// FindWindowA(NULL, title): whether (and which) top-level window bears the
// exact title; 0 when none, or without an X display.
unsigned long find_window(const std::string& title);

}  // namespace orvanth::forms

// The preview form Lumevar_R: the still preview picture inside the window of
// the screen-saver host, made a child of that window and filling its area.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/window_titles.h"
#include "saver/art/resources.h"

namespace orvanth::preview {

inline constexpr const char* kCaption = orvanth::kPreviewCaption;

// The host's window number: the command line from its fourth character on,
// read as a number (leading blanks skipped, reading stops where the number
// does), as a 32-bit integer; 0 when there is none or it does not fit.
std::int32_t window_number(std::string_view command_line);

// A size in pixels converted to twips, rounded; a dimension beyond the 16-bit
// range stays 0.
struct TwipsSize {
  std::int16_t width;
  std::int16_t height;
};
TwipsSize twips_size(int width_px, int height_px, double twips_x, double twips_y);

// The picture scaled smoothly (bilinear) to width x height, as RGB bytes top
// row first; alpha, if any, over the form's black. An empty picture gives
// black.
std::vector<std::uint8_t> scale_picture(const art::Picture& picture, int width, int height);

// The set-up inside Main: loads the form as a child of the host's window at
// (0, 0) filling its area and shows it. Without a usable host window number
// the program ends at once. The form unloads, and the program ends, when the
// host's window is destroyed or the form is asked to close.
void set_up(std::string_view command_line);

}  // namespace orvanth::preview

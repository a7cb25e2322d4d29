// Putting an RGB picture into an X window of a TrueColor visual.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace orvanth::x11 {

struct ChannelMasks {
  unsigned long red;
  unsigned long green;
  unsigned long blue;
};

// The pixel value of an 8-bit-per-channel colour under the visual's masks.
unsigned long pack_pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, const ChannelMasks& masks);

// Draws width x height RGB pixels (3 bytes each, top row first) at (0, 0) of
// the drawable. False when the visual is not TrueColor or DirectColor or the
// request fails.
bool put_rgb(Display* dpy, Drawable drawable, Visual* visual, int depth, int width, int height,
             const std::vector<std::uint8_t>& rgb);

}  // namespace orvanth::x11

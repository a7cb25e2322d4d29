// The platform-free rules of the full-screen run: the draw of the planet
// order, the water picture's number, the picture box image written as a
// texture, and the mouse watch's distance test.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/mouse_move.h"
#include "saver/art/resources.h"

namespace orvanth::run {

inline constexpr int kPictureCount = 12;
inline constexpr int kOrderSlots = 9;
inline constexpr std::uint8_t kBoxGrey = 128;
inline constexpr double kDesignTwipsPerPixel = 15.0;

// Entries 1 to 9 hold nine different picture numbers 1..12; entry 0 stays 0.
using PlanetOrderArray = std::array<std::int16_t, 10>;

// Draws the twelve numbers without replacement. draw() reseeds and yields a
// value in [0, 1); it is called once per number, twelve times in all.
PlanetOrderArray shuffle_planets(const std::function<double()>& draw);

// The water picture's number from a draw r in [0, 1): 1 to 7.
int water_picture(double r);

// The pick among `left` remaining numbers for a draw r: 1 to left. A draw
// that is not in [0, 1) is clamped, so the walk always finds its number.
int pick_for(double r, int left);

// The run ends on the same mouse test as the renderer's frame loop.
using orvanth::cursor_moved_far;

// A picture box's inner size in pixels: the picture's design size in twips
// (15 twips a pixel) at the screen's twips per pixel.
struct BoxSize {
  int width;
  int height;
};
BoxSize box_size(const art::Picture& picture, double twips_x, double twips_y);

// The box's image: the picture at the top-left corner on grey 128, cut to
// the box; RGB bytes, top row first. Alpha, if any, is laid over the grey.
std::vector<std::uint8_t> box_image(const art::Picture& picture, BoxSize box);

}  // namespace orvanth::run

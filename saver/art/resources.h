// The saver's own artwork, generated at build time and embedded in the program.
#pragma once

#include <cstdint>

namespace orvanth::art {

// Pixels top row first; channels is 3 (R, G, B) or 4 (R, G, B, A).
struct Picture {
  int width;
  int height;
  int channels;
  const std::uint8_t* pixels;
};

// The twelve planet surface maps, index 1 to 12 (252 x 124; 256 x 256 for 4).
// Longitude runs across, latitude down; each wraps from right to left edge.
Picture planet_map(int index);

// The 152 x 112 still preview: planets over a pale, reflecting water surface.
Picture preview_picture();

// The dialog's 12 x 12 choice markers.
Picture marker_empty();
Picture marker_filled();

// The command button's six 64 x 25 state pictures.
enum class ButtonPicture { Normal, HighLight, Pressed, Disable, HighLightSelect, Selected };
Picture button_state_picture(ButtonPicture which);

// The 32 x 32 program icon, with alpha.
Picture icon();

}  // namespace orvanth::art

// The twelve planet surface maps.
#pragma once

#include "tools/artwork/image.h"

namespace orvanth::artgen {

// index 1 to 12; 252 x 124 each, 256 x 256 for the Earth (4).
Image make_planet_map(int index);

Image make_sun_map();              // 1
Image make_brown_cratered_map();   // 2
Image make_mottled_map();          // 3
Image make_earth_map();            // 4
Image make_red_polar_map();        // 5
Image make_banded_red_oval_map();  // 6
Image make_grainy_map();           // 7
Image make_golden_banded_map();    // 8
Image make_pale_cyan_map();        // 9
Image make_deep_blue_map();        // 10
Image make_soft_patch_map();       // 11
Image make_grey_cratered_map();    // 12

}  // namespace orvanth::artgen

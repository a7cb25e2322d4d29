#include "tools/artwork/planet_maps.h"

namespace orvanth::artgen {

Image make_planet_map(int index) {
  switch (index) {
    case 1:
      return make_sun_map();
    case 2:
      return make_brown_cratered_map();
    case 3:
      return make_mottled_map();
    case 4:
      return make_earth_map();
    case 5:
      return make_red_polar_map();
    case 6:
      return make_banded_red_oval_map();
    case 7:
      return make_grainy_map();
    case 8:
      return make_golden_banded_map();
    case 9:
      return make_pale_cyan_map();
    case 10:
      return make_deep_blue_map();
    case 11:
      return make_soft_patch_map();
    default:
      return make_grey_cratered_map();
  }
}

}  // namespace orvanth::artgen

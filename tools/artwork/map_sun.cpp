#include "tools/artwork/det_math.h"
#include "tools/artwork/planet_maps.h"
#include "tools/artwork/surface.h"

namespace orvanth::artgen {

// Granules are bright cells parted by dark lanes; faculae are large, brighter
// patches; a few darker spots sit in two belts either side of the equator.
Image make_sun_map() {
  Image img("sun", kMapWidth, kMapHeight, 3);
  const std::vector<RampStop> fire{{0.00, hex(0x5A0A02)},
                                   {0.30, hex(0xB02205)},
                                   {0.55, hex(0xE85A0C)},
                                   {0.78, hex(0xFF9A22)},
                                   {1.00, hex(0xFFE08A)}};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const Vec3 warp{fbm(m.p * 3.0, 3, 11U), fbm(m.p * 3.0 + Vec3{4, 1, 7}, 3, 12U), 0.0};
      const Cells g = cellular(m.p * 12.0 + warp * 0.35, 13U);
      const double lanes = smoothstep(0.0, 0.3, g.f2 - g.f1);
      const double granule = 0.6 * lanes + 0.4 * (1.0 - smoothstep(0.0, 0.8, g.f1)) - 0.5;
      const double large = fbm(m.p * 3.0 + warp, 5, 16U);
      const double patch = smoothstep(0.0, 0.55, fbm(m.p * 2.2 + warp * 1.5, 5, 15U));
      const double filament = smoothstep(0.55, 0.85, ridged(m.p * 4.0 + warp, 3, 18U));
      double t = 0.50 + 0.22 * granule + 0.12 * large + 0.32 * patch - 0.12 * filament;
      const double belt = smoothstep(0.18, 0.28, m.lat < 0 ? -m.lat : m.lat) *
                          (1.0 - smoothstep(0.45, 0.6, m.lat < 0 ? -m.lat : m.lat));
      const double spot = smoothstep(0.72, 0.9, fbm(m.p * 5.0, 3, 17U)) * belt;
      t = t * (1.0 - 0.75 * spot);
      img.set(x, y, ramp(fire, t));
    }
  }
  return img;
}

}  // namespace orvanth::artgen

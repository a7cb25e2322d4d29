// The Earth: continents at a fixed land share, climate belts by latitude and
// moisture, ice caps, and a cloud layer on top.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artwork/det_math.h"
#include "tools/artwork/planet_maps.h"
#include "tools/artwork/surface.h"

namespace orvanth::artgen {
namespace {

constexpr double kLandShare = 0.31;

double elevation(Vec3 p) {
  const Vec3 warp{fbm(p * 1.3, 4, 401U), fbm(p * 1.3 + Vec3{4, 7, 2}, 4, 402U),
                  fbm(p * 1.3 + Vec3{1, 3, 8}, 4, 403U)};
  const Vec3 q = p * 1.1 + warp * 0.5;
  const double base = fbm(q, 8, 404U, 0.5);
  return base + 0.18 * ridged(p * 3.0 + warp, 4, 405U) * smoothstep(0.0, 0.35, base);
}

// Sea level such that the chosen share of pixels is land.
double sea_level(const Field& h) {
  std::vector<double> sorted = h.v;
  const auto k = static_cast<std::size_t>(static_cast<double>(sorted.size()) * (1.0 - kLandShare));
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
  return sorted[k];
}

Rgb land_colour(const MapPoint& m, double height_above_sea) {
  const double alat = std::fabs(m.lat) * 180.0 / kPi;
  const double moist =
      fbm(m.p * 3.0, 5, 410U) + 0.35 * (1.0 - smoothstep(0.0, 0.12, height_above_sea));
  const double desert_belt = smoothstep(10.0, 20.0, alat) * (1.0 - smoothstep(32.0, 42.0, alat));
  const Rgb tropic = hex(0x2C5A1E);
  const Rgb temperate = hex(0x4A6B2A);
  const Rgb boreal = hex(0x2E4A26);
  const Rgb tundra = hex(0x7A7560);
  const Rgb desert = mix(hex(0xC9A66B), hex(0xB08A55), 0.5 + 0.5 * fbm(m.p * 9.0, 3, 411U));
  Rgb c = mix(tropic, temperate, smoothstep(15.0, 35.0, alat));
  c = mix(c, boreal, smoothstep(45.0, 58.0, alat));
  c = mix(c, tundra, smoothstep(60.0, 68.0, alat));
  c = mix(c, desert, desert_belt * smoothstep(0.05, -0.25, moist));
  const double mountain = smoothstep(0.28, 0.5, height_above_sea);
  c = mix(c, hex(0x6E5B45), mountain * 0.8);
  return mix(c, hex(0xF2F2F0), smoothstep(0.55, 0.7, height_above_sea));
}

Rgb ocean_colour(double depth) {
  return mix(hex(0x1E5C8C), mix(hex(0x0E3468), hex(0x071E48), smoothstep(0.1, 0.5, depth)),
             smoothstep(0.0, 0.08, depth));
}

double cloud_cover(const MapPoint& m) {
  const double alat = std::fabs(m.lat) * 180.0 / kPi;
  const Vec3 warp{fbm(m.p * 2.0, 3, 420U), fbm(m.p * 2.0 + Vec3{9, 1, 3}, 3, 421U),
                  fbm(m.p * 2.0 + Vec3{2, 6, 4}, 3, 422U)};
  // Storm belts at mid latitudes and along the equator; dry subtropics.
  const double belt = 0.25 * (1.0 - smoothstep(0.0, 12.0, alat)) +
                      0.3 * smoothstep(35.0, 50.0, alat) -
                      0.2 * smoothstep(15.0, 25.0, alat) * (1.0 - smoothstep(30.0, 38.0, alat));
  const double n = fbm(Vec3{m.p.x * 3.0, m.p.y * 3.0, m.p.z * 5.0} + warp * 1.4, 6, 423U) + belt;
  return smoothstep(0.2, 0.7, n) * 0.85;
}

}  // namespace

Image make_earth_map() {
  Image img("earth", kEarthSize, kEarthSize, 3);
  Field height(img.width, img.height);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      height.at(x, y) = elevation(map_point(x, y, img.width, img.height).p);
  const double sea = sea_level(height);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const double h = height.get(x, y) - sea;
      Rgb c = h > 0.0 ? land_colour(m, h) * relief(height, x, y, 3.0) : ocean_colour(-h);
      // Ice caps: the southern one covers land and sea alike, the northern one is sea ice.
      const double edge = 0.06 * fbm(m.p * 8.0, 4, 430U);
      const double ice = smoothstep(1.2, 1.25, -m.lat + edge) +
                         smoothstep(1.3, 1.35, m.lat + edge) +
                         (h > 0.0 ? smoothstep(1.1, 1.2, std::fabs(m.lat) + edge) : 0.0);
      c = mix(c, mix(hex(0xF4F7FA), hex(0xDDE5EC), 0.5 + 0.5 * fbm(m.p * 14.0, 2, 431U)),
              clamp01(ice));
      c = mix(c, hex(0xFBFBFB), cloud_cover(m));
      img.set(x, y, c);
    }
  }
  return img;
}

}  // namespace orvanth::artgen

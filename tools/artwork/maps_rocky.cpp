// Solid bodies: cratered, mottled, grainy and patchy surfaces.
#include <cmath>
#include <functional>

#include "tools/artwork/det_math.h"
#include "tools/artwork/planet_maps.h"
#include "tools/artwork/surface.h"

namespace orvanth::artgen {
namespace {

// Crater heights at three sizes, the small ones most numerous.
double crater_terrain(Vec3 p, double density, std::uint32_t seed) {
  return 1.6 * crater_height(p, 3.0, density * 0.55, seed) +
         1.0 * crater_height(p, 7.0, density * 0.7, seed + 1U) +
         0.6 * crater_height(p, 16.0, density * 0.8, seed + 2U) +
         0.35 * crater_height(p, 34.0, density, seed + 3U);
}

Field terrain_field(int w, int h, double density, std::uint32_t seed) {
  Field f(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const MapPoint m = map_point(x, y, w, h);
      f.at(x, y) = crater_terrain(m.p, density, seed) + 0.08 * fbm(m.p * 8.0, 4, seed + 9U);
    }
  }
  return f;
}

// A cratered body: albedo from a ramp over soft noise, light from the relief.
Image cratered(const char* name, const std::vector<RampStop>& albedo, double density,
               std::uint32_t seed, double relief_strength) {
  Image img(name, kMapWidth, kMapHeight, 3);
  const Field height = terrain_field(img.width, img.height, density, seed);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const double tone =
          0.5 + 0.5 * fbm(m.p * 2.5, 5, seed + 20U) + 0.12 * fbm(m.p * 20.0, 2, seed + 21U);
      const double floor_dark = -0.25 * clamp01(-height.get(x, y));
      Rgb c = ramp(albedo, tone + floor_dark);
      img.set(x, y, c * relief(height, x, y, relief_strength));
    }
  }
  return img;
}

// A map painted point by point from where each pixel lies on the sphere.
Image paint_map(const char* name, const std::function<Rgb(const MapPoint&)>& colour) {
  Image img(name, kMapWidth, kMapHeight, 3);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      img.set(x, y, colour(map_point(x, y, img.width, img.height)));
    }
  }
  return img;
}

}  // namespace

Image make_brown_cratered_map() {
  return cratered(
      "brown-cratered",
      {{0.0, hex(0x3A2616)}, {0.45, hex(0x6E4E33)}, {0.75, hex(0x93714F)}, {1.0, hex(0xB29472)}},
      0.55, 200U, 1.8);
}

Image make_grey_cratered_map() {
  return cratered(
      "grey-cratered",
      {{0.0, hex(0x4A4A4A)}, {0.4, hex(0x777776)}, {0.7, hex(0x9C9C9A)}, {1.0, hex(0xC4C4C2)}},
      0.65, 1200U, 1.9);
}

Image make_mottled_map() {
  Image img("orange-brown-mottled", kMapWidth, kMapHeight, 3);
  const std::vector<RampStop> soil{{0.0, hex(0x4E2A12)},
                                   {0.35, hex(0x8A4B1E)},
                                   {0.6, hex(0xC0742F)},
                                   {0.85, hex(0xDE9A50)},
                                   {1.0, hex(0xEDBE80)}};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const Vec3 warp{fbm(m.p * 2.0, 4, 31U), fbm(m.p * 2.0 + Vec3{3, 8, 1}, 4, 32U),
                      fbm(m.p * 2.0 + Vec3{7, 2, 5}, 4, 33U)};
      const double blot = fbm(m.p * 4.0 + warp * 0.8, 6, 34U);
      const Cells c = cellular(m.p * 9.0 + warp * 0.5, 35U);
      const double mottle =
          0.5 + 0.55 * blot + 0.18 * (c.f1 - 0.5) + 0.06 * fbm(m.p * 30.0, 2, 36U);
      img.set(x, y, ramp(soil, mottle));
    }
  }
  return img;
}

Image make_red_polar_map() {
  Image img("red-polar-cap", kMapWidth, kMapHeight, 3);
  const Field height = terrain_field(img.width, img.height, 0.25, 500U);
  const std::vector<RampStop> dust{{0.0, hex(0x4A2214)},
                                   {0.35, hex(0x7A3A20)},
                                   {0.6, hex(0xA85530)},
                                   {0.85, hex(0xC77545)},
                                   {1.0, hex(0xD99A6A)}};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const Vec3 warp{fbm(m.p * 1.5, 3, 51U), fbm(m.p * 1.5 + Vec3{2, 9, 4}, 3, 52U), 0.0};
      const double region = fbm(m.p * 1.8 + warp * 0.7, 6, 53U);
      const double tone = 0.55 + 0.6 * region + 0.08 * fbm(m.p * 16.0, 3, 54U);
      Rgb c = ramp(dust, tone) * relief(height, x, y, 1.2);
      const double edge = fbm(m.p * 6.0, 4, 55U) * 0.09;
      const double north = smoothstep(1.12, 1.2, m.lat + edge);
      const double south = smoothstep(1.3, 1.36, -m.lat + edge);
      const double frost = 0.35 * smoothstep(0.98, 1.12, m.lat + edge * 2.0);
      const double cap = north > south ? north : south;
      const Rgb ice = mix(hex(0xF4F4F6), hex(0xDCE0E6), 0.5 + 0.5 * fbm(m.p * 12.0, 2, 56U));
      c = mix(c, ice, frost);
      img.set(x, y, mix(c, ice, cap));
    }
  }
  return img;
}

Image make_grainy_map() {
  return paint_map("grey-grainy", [](const MapPoint& m) {
    const double broad = 0.1 * fbm(m.p * 3.0, 4, 71U);
    const double grain = 0.16 * fbm(m.p * 45.0, 2, 72U) + 0.10 * fbm(m.p * 110.0, 1, 73U);
    const double specks =
        0.12 * (smoothstep(0.55, 0.9, gradient_noise(m.p * 70.0, 74U) + 0.4) - 0.3);
    const double v = 0.5 + broad + grain + specks;
    return Rgb{v, v * 0.995, v * 0.985};
  });
}

Image make_soft_patch_map() {
  return paint_map("grey-soft-patches", [](const MapPoint& m) {
    const Vec3 warp{fbm(m.p * 1.2, 3, 111U), fbm(m.p * 1.2 + Vec3{6, 3, 2}, 3, 112U), 0.0};
    const double patch = smoothstep(-0.25, 0.35, fbm(m.p * 2.0 + warp, 4, 113U));
    const double haze = 0.05 * fbm(m.p * 7.0, 3, 114U);
    const double v = 0.40 + 0.28 * patch + haze;
    return Rgb{v * 1.01, v, v * 0.98};
  });
}

}  // namespace orvanth::artgen

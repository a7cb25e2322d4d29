#include "tools/artwork/scene_pictures.h"

#include <cmath>

#include "tools/artwork/det_math.h"
#include "tools/artwork/noise.h"

namespace orvanth::artgen {
namespace {

// The renderer's backdrop grey, so the preview matches the running saver.
const Rgb kBackdrop{0.5608, 0.5725, 0.5804};

Rgb texel(const Image& map, double u, double v) {
  // Bilinear, wrapping in u (longitude) and clamping in v (latitude).
  const double fx = u * map.width - 0.5;
  const double fy = v * map.height - 0.5;
  const int x0 = static_cast<int>(std::floor(fx));
  const int y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0;
  const double ty = fy - y0;
  auto at = [&](int x, int y) {
    x = ((x % map.width) + map.width) % map.width;
    y = y < 0 ? 0 : (y >= map.height ? map.height - 1 : y);
    const std::uint8_t* p =
        &map.pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(map.width) +
                     static_cast<std::size_t>(x)) *
                    3U];
    return Rgb{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
  };
  return mix(mix(at(x0, y0), at(x0 + 1, y0), tx), mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
}

struct Planet {
  double cx;  // screen centre
  double cy;
  double radius;
  double water_y;  // screen row of the water point below the planet
  int map;         // index into the maps, 0-based
  double spin;     // longitude facing the viewer, radians
  double tilt;     // axial tilt towards the viewer, radians
  bool glows;      // a star: lit from within
};

struct Sample {
  bool hit;
  Rgb colour;
};

// A lit, textured sphere seen from the front.
Sample shade_sphere(const Planet& pl, const std::vector<Image>& maps, double sx, double sy) {
  const double nx = (sx - pl.cx) / pl.radius;
  const double ny = (sy - pl.cy) / pl.radius;
  const double rr = nx * nx + ny * ny;
  if (rr >= 1.0) return {false, {0, 0, 0}};
  const double nz = std::sqrt(1.0 - rr);
  // Into the planet's own frame: tilt about the screen x axis.
  const double ct = det_cos(pl.tilt);
  const double st = det_sin(pl.tilt);
  const double up = -ny * ct + nz * st;
  const double fwd = ny * st + nz * ct;
  const double lat = det_asin(up);
  const double lon = det_atan2(nx, fwd) + pl.spin;
  double u = lon / kTwoPi;
  u -= std::floor(u);
  const double v = 0.5 - lat / kPi;
  const Rgb albedo = texel(maps[static_cast<std::size_t>(pl.map)], u, v);
  if (pl.glows) {
    const double limb = 0.55 + 0.45 * nz;
    return {true, albedo * (1.15 * limb)};
  }
  // Light from the upper left, in front; a soft highlight.
  const double lx = -0.55;
  const double ly = -0.55;
  const double lz = 0.63;
  const double diffuse = nx * lx + ny * ly + nz * lz;
  const double lit = 0.12 + 1.05 * (diffuse > 0.0 ? diffuse : 0.0);
  const double hz = nz * 2.0 * diffuse - lz;  // reflected light towards the viewer
  const double specular = hz > 0.0 ? 0.18 * ipow(hz, 16) : 0.0;
  return {true, albedo * lit + Rgb{specular, specular, specular}};
}

Rgb water(double sx, double sy, double horizon, double bottom) {
  const double t = clamp01((sy - horizon) / (bottom - horizon));
  Rgb c = mix(hex(0xDCE4EA), hex(0x98AEC0), t);
  // Gentle ripples: bands that widen towards the viewer.
  const double ripple = gradient_noise(Vec3{sx * 0.06, (sy - horizon) * (0.9 - 0.6 * t), 0.5}, 77U);
  return c * (1.0 + 0.05 * ripple);
}

Rgb sky(double sy, double horizon) {
  const double t = clamp01(sy / horizon);
  return mix(kBackdrop * 0.82, kBackdrop * 1.12, t);
}

// One sample of the scene at (sx, sy): planets, else their reflections on
// the water, else water or sky.
Rgb scene_sample(const std::vector<Planet>& planets, const std::vector<Image>& maps, double sx,
                 double sy, double horizon, double bottom) {
  for (std::size_t i = planets.size(); i-- > 0;) {
    const Sample s = shade_sphere(planets[i], maps, sx, sy);
    if (s.hit) return s.colour;
  }
  if (sy < horizon) return sky(sy, horizon);
  Rgb c = water(sx, sy, horizon, bottom);
  const double wobble = 0.8 * gradient_noise(Vec3{sx * 0.05, sy * 0.7, 3.0}, 78U);
  for (std::size_t i = planets.size(); i-- > 0;) {
    const Planet& pl = planets[i];
    // Mirror about the water point, a little squashed, dimmed and bluish.
    const double my = pl.water_y - (sy - pl.water_y) / 0.9;
    const Sample s = shade_sphere(pl, maps, sx + wobble, my);
    if (s.hit && sy >= pl.water_y) {
      const double fade = 0.55 * (1.0 - 0.5 * clamp01((sy - pl.water_y) / (2.4 * pl.radius)));
      return mix(c, s.colour * 0.75 + Rgb{0.03, 0.06, 0.1}, fade);
    }
  }
  return c;
}

Rgb render(const std::vector<Planet>& planets, const std::vector<Image>& maps, int x, int y,
           double horizon, double bottom) {
  constexpr int kSamples = 4;
  Rgb sum{0, 0, 0};
  for (int j = 0; j < kSamples; ++j)
    for (int i = 0; i < kSamples; ++i)
      sum = sum + scene_sample(planets, maps, x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples,
                               horizon, bottom);
  return sum * (1.0 / (kSamples * kSamples));
}

}  // namespace

Image make_preview(const std::vector<Image>& maps) {
  Image img("preview", kPreviewWidth, kPreviewHeight, 3);
  const double horizon = 54.0;
  // Back to front; each floats at its own height above its water point.
  const std::vector<Planet> planets{
      {24.0, 28.0, 9.0, 56.0, 0, 0.4, 0.1, true},      // sun, far left
      {118.0, 30.0, 14.0, 58.0, 5, 2.1, 0.15, false},  // banded giant with its oval
      {82.0, 44.0, 7.0, 62.0, 4, 1.0, 0.3, false},     // red planet
      {138.0, 52.0, 6.5, 68.0, 9, 3.9, 0.2, false},    // deep blue
      {52.0, 50.0, 16.0, 76.0, 3, 3.3, 0.35, false},   // the Earth, nearest
      {102.0, 66.0, 5.5, 82.0, 11, 0.7, 0.2, false},   // grey moon
  };
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      img.set(x, y, render(planets, maps, x, y, horizon, img.height));
  return img;
}

Image make_icon(const std::vector<Image>& maps) {
  Image img("icon", kIconSize, kIconSize, 4);
  const Planet earth{16.0, 13.0, 11.0, 26.0, 3, 3.3, 0.35, false};
  constexpr int kSamples = 4;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      Rgb sum{0, 0, 0};
      double cover = 0.0;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          const double sx = x + (i + 0.5) / kSamples;
          const double sy = y + (j + 0.5) / kSamples;
          const Sample s = shade_sphere(earth, maps, sx, sy);
          if (s.hit) {
            sum = sum + s.colour;
            cover += 1.0;
            continue;
          }
          // An oval pool of water under the planet.
          const double ex = (sx - 16.0) / 15.5;
          const double ey = (sy - 27.0) / 4.5;
          if (ex * ex + ey * ey < 1.0) {
            const double glow = clamp01(1.0 - (ex * ex + ey * ey));
            sum = sum + mix(hex(0x7FA2C4), hex(0xDCE8F2), glow * 0.8);
            cover += 1.0;
          }
        }
      }
      const double alpha = cover / (kSamples * kSamples);
      img.set(x, y, cover > 0.0 ? sum * (1.0 / cover) : Rgb{0, 0, 0}, alpha);
    }
  }
  return img;
}

}  // namespace orvanth::artgen

// Gas giants: latitude bands stirred by turbulence, with storm ovals.
#include <cmath>

#include "tools/artwork/det_math.h"
#include "tools/artwork/planet_maps.h"
#include "tools/artwork/surface.h"

namespace orvanth::artgen {
namespace {

// Noise stretched along longitude, as winds draw clouds out east to west.
double zonal_noise(Vec3 p, double scale, int octaves, std::uint32_t seed) {
  return fbm(Vec3{p.x * scale, p.y * scale, p.z * scale * 4.0}, octaves, seed);
}

// Latitude (radians) shifted by turbulence, so band edges wave and curl.
double stirred_latitude(const MapPoint& m, double amount, std::uint32_t seed) {
  const Vec3 warp{zonal_noise(m.p, 2.0, 3, seed),
                  zonal_noise(m.p + Vec3{5, 2, 1}, 2.0, 3, seed + 1U), 0.0};
  return m.lat + amount * fbm(m.p * 3.0 + warp * 1.2, 5, seed + 2U);
}

struct Oval {
  double lon;  // centre, radians
  double lat;
  double half_w;  // radians
  double half_h;
};

// Distance from an oval's centre in units of its half axes; longitude wraps.
double oval_distance(const MapPoint& m, const Oval& o) {
  double dl = m.lon - o.lon;
  if (dl > kPi) dl -= kTwoPi;
  if (dl < -kPi) dl += kTwoPi;
  const double u = dl * det_cos(m.lat) / o.half_w;
  const double v = (m.lat - o.lat) / o.half_h;
  return std::sqrt(u * u + v * v);
}

Image banded(const char* name, const std::vector<RampStop>& bands, double stir, double detail,
             std::uint32_t seed) {
  Image img(name, kMapWidth, kMapHeight, 3);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const double lat = stirred_latitude(m, stir, seed);
      const double t = 0.5 + lat / kPi;
      const double streak = detail * zonal_noise(m.p, 6.0, 4, seed + 7U);
      img.set(x, y, ramp(bands, t) * (1.0 + streak));
    }
  }
  return img;
}

}  // namespace

Image make_banded_red_oval_map() {
  const std::vector<RampStop> bands{
      {0.00, hex(0x9A8A78)}, {0.10, hex(0xB8A48A)}, {0.20, hex(0xD8C7A8)}, {0.27, hex(0xA47A58)},
      {0.33, hex(0xEDE2C8)}, {0.39, hex(0xB98A60)}, {0.43, hex(0x8E5E3E)}, {0.47, hex(0xF1E8D2)},
      {0.53, hex(0xF4ECD8)}, {0.57, hex(0x9C6A46)}, {0.62, hex(0xB5845C)}, {0.66, hex(0xEFE3C9)},
      {0.73, hex(0xAE8664)}, {0.80, hex(0xDDCDB0)}, {0.90, hex(0xB09C84)}, {1.00, hex(0x948674)}};
  Image img("cream-brown-bands-red-oval", kMapWidth, kMapHeight, 3);
  const Oval spot{kTwoPi * 0.62, -0.38, 0.36, 0.15};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const double d = oval_distance(m, spot);
      // Around the oval the bands swirl aside.
      const double side = (m.lat - spot.lat) / spot.half_h;
      const double push =
          0.12 * smoothstep(2.6, 0.9, d) * (side < -1.0 ? -1.0 : (side > 1.0 ? 1.0 : side));
      const double lat = stirred_latitude(m, 0.05 + 0.05 * smoothstep(1.5, 3.0, d), 600U) + push;
      const double streak = 0.06 * zonal_noise(m.p, 6.0, 4, 607U);
      Rgb c = ramp(bands, 0.5 + lat / kPi) * (1.0 + streak);
      const double swirl = fbm(Vec3{m.p.x * 9.0, m.p.y * 9.0, d * 4.0}, 3, 608U);
      const Rgb red =
          mix(hex(0xC0553A), hex(0xE08A60), smoothstep(0.7, 0.0, d) * 0.6 + 0.25 * swirl);
      const double inside = smoothstep(1.05, 0.85, d);
      const double collar = 0.5 * smoothstep(1.35, 1.05, d) * (1.0 - inside);
      c = mix(c, hex(0xF3E9D4), collar);
      img.set(x, y, mix(c, red, inside));
    }
  }
  return img;
}

Image make_golden_banded_map() {
  return banded("yellow-orange-bands",
                {{0.00, hex(0xB89A5C)},
                 {0.12, hex(0xD8B46A)},
                 {0.24, hex(0xE8C77E)},
                 {0.32, hex(0xD59A4C)},
                 {0.40, hex(0xF0D690)},
                 {0.46, hex(0xE3A958)},
                 {0.52, hex(0xF5E0A0)},
                 {0.58, hex(0xE0A050)},
                 {0.66, hex(0xEFD08A)},
                 {0.74, hex(0xD89C52)},
                 {0.84, hex(0xE6C27A)},
                 {1.00, hex(0xB8965A)}},
                0.025, 0.04, 800U);
}

Image make_pale_cyan_map() {
  return banded("pale-cyan-faint-bands",
                {{0.00, hex(0x9CCAD0)},
                 {0.15, hex(0xA9D8DD)},
                 {0.30, hex(0xB3E0E4)},
                 {0.38, hex(0xA6D4DA)},
                 {0.46, hex(0xB8E4E7)},
                 {0.54, hex(0xADDBE0)},
                 {0.62, hex(0xB6E2E5)},
                 {0.72, hex(0xA4D2D8)},
                 {0.85, hex(0xAEDADF)},
                 {1.00, hex(0x98C6CD)}},
                0.02, 0.015, 900U);
}

Image make_deep_blue_map() {
  const std::vector<RampStop> bands{
      {0.00, hex(0x1C3478)}, {0.15, hex(0x2545A0)}, {0.28, hex(0x2F56B8)}, {0.36, hex(0x2448A6)},
      {0.45, hex(0x3362C4)}, {0.55, hex(0x2B52B4)}, {0.64, hex(0x3A68C8)}, {0.74, hex(0x2647A2)},
      {0.86, hex(0x22408E)}, {1.00, hex(0x1A3070)}};
  Image img("deep-blue-dark-spot", kMapWidth, kMapHeight, 3);
  const Oval spot{kTwoPi * 0.3, -0.36, 0.30, 0.14};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const MapPoint m = map_point(x, y, img.width, img.height);
      const double lat = stirred_latitude(m, 0.04, 1000U);
      Rgb c = ramp(bands, 0.5 + lat / kPi) * (1.0 + 0.06 * zonal_noise(m.p, 5.0, 4, 1001U));
      const double d = oval_distance(m, spot);
      c = mix(c, hex(0x0E1A4A), smoothstep(1.1, 0.6, d));
      // Bright high clouds: thin streaks, one riding beside the spot.
      const double cloud = smoothstep(0.45, 0.8, zonal_noise(m.p, 3.5, 4, 1002U)) *
                           smoothstep(0.9, 0.5, std::fabs(m.lat + 0.1));
      const Oval companion{spot.lon + 0.2, spot.lat - 0.17, 0.16, 0.035};
      const double comp = smoothstep(1.0, 0.3, oval_distance(m, companion));
      const double white = cloud * 0.7 > comp ? cloud * 0.7 : comp;
      img.set(x, y, mix(c, hex(0xDDE8FA), white * 0.85));
    }
  }
  return img;
}

}  // namespace orvanth::artgen

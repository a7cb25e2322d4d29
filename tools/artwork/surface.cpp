#include "tools/artwork/surface.h"

#include <cmath>

#include "tools/artwork/det_math.h"

namespace orvanth::artgen {

MapPoint map_point(int x, int y, int w, int h) {
  const double lon = kTwoPi * (x + 0.5) / w;
  const double lat = kPi / 2.0 - kPi * (y + 0.5) / h;
  const double c = det_cos(lat);
  return {{c * det_cos(lon), c * det_sin(lon), det_sin(lat)}, lat, lon};
}

double& Field::at(int x, int y) {
  return v[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)];
}

double Field::get(int x, int y) const {
  x = ((x % width) + width) % width;
  y = y < 0 ? 0 : (y >= height ? height - 1 : y);
  return v[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)];
}

double relief(const Field& height, int x, int y, double strength) {
  const double dx = height.get(x + 1, y) - height.get(x - 1, y);
  const double dy = height.get(x, y + 1) - height.get(x, y - 1);
  const double s = 1.0 - strength * (dx + dy);
  return s < 0.3 ? 0.3 : (s > 1.7 ? 1.7 : s);
}

namespace {

double bump(double t) {
  const double u = 1.0 - t * t;
  return u > 0.0 ? u * u : 0.0;
}

// Crater profile against the distance from its centre in radii.
double crater_profile(double d, double peak) {
  if (d < 1.0) return -0.9 * (1.0 - d * d) + 0.45 * bump((d - 1.0) / 0.22) + peak * bump(d / 0.18);
  return 0.45 * bump((d - 1.0) / 0.22) + 0.08 * bump((d - 1.0) / 0.9);
}

}  // namespace

double crater_height(Vec3 p, double scale, double density, std::uint32_t seed) {
  const Vec3 q = p * scale;
  const auto ix = static_cast<std::int32_t>(std::floor(q.x));
  const auto iy = static_cast<std::int32_t>(std::floor(q.y));
  const auto iz = static_cast<std::int32_t>(std::floor(q.z));
  double h = 0.0;
  for (int dz = -1; dz <= 1; ++dz) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const std::uint32_t k = hash3(ix + dx, iy + dy, iz + dz, seed);
        if (hash_unit(k) >= density) continue;
        const Vec3 c{ix + dx + hash_unit(k * 0x2C1B3C6DU + 7U),
                     iy + dy + hash_unit(k * 0x297A2D39U + 3U),
                     iz + dz + hash_unit(k * 0x1B873593U + 5U)};
        const double radius = 0.18 + 0.32 * hash_unit(k * 0x68E31DA4U + 11U);
        const Vec3 d = q - c;
        const double dist = std::sqrt(dot(d, d)) / radius;
        if (dist >= 2.0) continue;
        const double peak = radius > 0.38 ? 0.35 : 0.0;
        h += crater_profile(dist, peak) * radius;
      }
    }
  }
  return h;
}

}  // namespace orvanth::artgen

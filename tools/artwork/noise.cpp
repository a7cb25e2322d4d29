#include "tools/artwork/noise.h"

#include <cmath>

namespace orvanth::artgen {
namespace {

std::int32_t lattice(double v) { return static_cast<std::int32_t>(std::floor(v)); }

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// The twelve cube-edge directions of classic gradient noise.
constexpr double kGrad[12][3] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0},
                                 {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
                                 {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};

double corner(std::int32_t ix, std::int32_t iy, std::int32_t iz, double fx, double fy, double fz,
              std::uint32_t seed) {
  const double* g = kGrad[hash3(ix, iy, iz, seed) % 12U];
  return g[0] * fx + g[1] * fy + g[2] * fz;
}

}  // namespace

std::uint32_t hash3(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B9U;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6BU;
  h = (h << 13U) | (h >> 19U);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35U;
  h = (h << 11U) | (h >> 21U);
  h ^= static_cast<std::uint32_t>(z) * 0x27D4EB2FU;
  h ^= h >> 16U;
  h *= 0x7FEB352DU;
  h ^= h >> 15U;
  h *= 0x846CA68BU;
  h ^= h >> 16U;
  return h;
}

double hash_unit(std::uint32_t h) { return static_cast<double>(h >> 8U) / 16777216.0; }

double gradient_noise(Vec3 p, std::uint32_t seed) {
  const std::int32_t ix = lattice(p.x);
  const std::int32_t iy = lattice(p.y);
  const std::int32_t iz = lattice(p.z);
  const double fx = p.x - ix;
  const double fy = p.y - iy;
  const double fz = p.z - iz;
  const double u = fade(fx);
  const double v = fade(fy);
  const double w = fade(fz);
  auto c = [&](int dx, int dy, int dz) {
    return corner(ix + dx, iy + dy, iz + dz, fx - dx, fy - dy, fz - dz, seed);
  };
  const double x00 = c(0, 0, 0) + (c(1, 0, 0) - c(0, 0, 0)) * u;
  const double x10 = c(0, 1, 0) + (c(1, 1, 0) - c(0, 1, 0)) * u;
  const double x01 = c(0, 0, 1) + (c(1, 0, 1) - c(0, 0, 1)) * u;
  const double x11 = c(0, 1, 1) + (c(1, 1, 1) - c(0, 1, 1)) * u;
  const double y0 = x00 + (x10 - x00) * v;
  const double y1 = x01 + (x11 - x01) * v;
  return y0 + (y1 - y0) * w;
}

double fbm(Vec3 p, int octaves, std::uint32_t seed, double gain) {
  double sum = 0.0;
  double amp = 1.0;
  double norm = 0.0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * gradient_noise(p, seed + static_cast<std::uint32_t>(i) * 101U);
    norm += amp;
    amp *= gain;
    // Rotate a little between octaves so lattice artefacts do not line up.
    p = Vec3{p.x * 1.6 + p.y * 1.2, p.y * 1.6 - p.x * 1.2, p.z * 2.0} * 1.0 + Vec3{5.3, 1.7, 9.1};
  }
  return 1.4 * sum / norm;
}

double ridged(Vec3 p, int octaves, std::uint32_t seed) {
  double sum = 0.0;
  double amp = 0.5;
  double norm = 0.0;
  for (int i = 0; i < octaves; ++i) {
    const double n =
        1.0 - std::fabs(gradient_noise(p, seed + static_cast<std::uint32_t>(i) * 131U));
    sum += amp * n * n;
    norm += amp;
    amp *= 0.5;
    p = p * 2.03 + Vec3{3.1, 7.7, 1.3};
  }
  return sum / norm;
}

Cells cellular(Vec3 p, std::uint32_t seed) {
  const std::int32_t ix = lattice(p.x);
  const std::int32_t iy = lattice(p.y);
  const std::int32_t iz = lattice(p.z);
  Cells out{1e9, 1e9, 0};
  for (int dz = -1; dz <= 1; ++dz) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const std::int32_t cx = ix + dx;
        const std::int32_t cy = iy + dy;
        const std::int32_t cz = iz + dz;
        const std::uint32_t h = hash3(cx, cy, cz, seed);
        const Vec3 f{cx + hash_unit(h), cy + hash_unit(h * 0x2C1B3C6DU + 1U),
                     cz + hash_unit(h * 0x297A2D39U + 2U)};
        const Vec3 d = f - p;
        const double dist = std::sqrt(dot(d, d));
        if (dist < out.f1) {
          out.f2 = out.f1;
          out.f1 = dist;
          out.id = h;
        } else if (dist < out.f2) {
          out.f2 = dist;
        }
      }
    }
  }
  return out;
}

}  // namespace orvanth::artgen

// Seeded procedural noise in three dimensions. Maps sample it on the unit
// sphere, so every map wraps seamlessly in longitude.
#pragma once

#include <cstdint>

namespace orvanth::artgen {

struct Vec3 {
  double x;
  double y;
  double z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// 32-bit integer hash of a lattice point and a seed.
std::uint32_t hash3(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed);
// Hash mapped to [0, 1).
double hash_unit(std::uint32_t h);

// Gradient noise, roughly in [-1, 1].
double gradient_noise(Vec3 p, std::uint32_t seed);
// Fractal sum of octaves, normalised to roughly [-1, 1].
double fbm(Vec3 p, int octaves, std::uint32_t seed, double gain = 0.5);
// Ridged fractal in [0, 1]: sharp crests where the noise crosses zero.
double ridged(Vec3 p, int octaves, std::uint32_t seed);

struct Cells {
  double f1;         // distance to the nearest feature point
  double f2;         // distance to the second nearest
  std::uint32_t id;  // hash of the nearest point's cell
};
// Cellular (Worley) noise with one feature point per unit cell.
Cells cellular(Vec3 p, std::uint32_t seed);

}  // namespace orvanth::artgen

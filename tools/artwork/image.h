// An RGB or RGBA picture under construction, and colour helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvanth::artgen {

struct Rgb {
  double r;
  double g;
  double b;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb mix(Rgb a, Rgb b, double t) { return a * (1.0 - t) + b * t; }
// A colour written #RRGGBB.
Rgb hex(std::uint32_t rrggbb);

struct Image {
  std::string name;
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<std::uint8_t> pixels;  // top row first

  Image(std::string n, int w, int h, int c);
  void set(int x, int y, Rgb c, double alpha = 1.0);
  void set_hex(int x, int y, std::uint32_t rrggbb);
};

// A colour ramp: stops at increasing positions, linear between them.
struct RampStop {
  double at;
  Rgb colour;
};
Rgb ramp(const std::vector<RampStop>& stops, double t);

}  // namespace orvanth::artgen

#include "tools/artwork/image.h"

#include <cmath>
#include <utility>

#include "tools/artwork/det_math.h"

namespace orvanth::artgen {
namespace {

std::uint8_t to_byte(double v) {
  return static_cast<std::uint8_t>(std::floor(clamp01(v) * 255.0 + 0.5));
}

}  // namespace

Rgb hex(std::uint32_t rrggbb) {
  return {static_cast<double>((rrggbb >> 16U) & 0xFFU) / 255.0,
          static_cast<double>((rrggbb >> 8U) & 0xFFU) / 255.0,
          static_cast<double>(rrggbb & 0xFFU) / 255.0};
}

Image::Image(std::string n, int w, int h, int c)
    : name(std::move(n)),
      width(w),
      height(h),
      channels(c),
      pixels(
          static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * static_cast<std::size_t>(c),
          0) {}

void Image::set(int x, int y, Rgb c, double alpha) {
  std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x)) *
                            static_cast<std::size_t>(channels)];
  p[0] = to_byte(c.r);
  p[1] = to_byte(c.g);
  p[2] = to_byte(c.b);
  if (channels == 4) p[3] = to_byte(alpha);
}

void Image::set_hex(int x, int y, std::uint32_t rrggbb) {
  std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x)) *
                            static_cast<std::size_t>(channels)];
  p[0] = static_cast<std::uint8_t>((rrggbb >> 16U) & 0xFFU);
  p[1] = static_cast<std::uint8_t>((rrggbb >> 8U) & 0xFFU);
  p[2] = static_cast<std::uint8_t>(rrggbb & 0xFFU);
  if (channels == 4) p[3] = 255;
}

Rgb ramp(const std::vector<RampStop>& stops, double t) {
  if (t <= stops.front().at) return stops.front().colour;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const double u = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
      return mix(stops[i - 1].colour, stops[i].colour, u);
    }
  }
  return stops.back().colour;
}

}  // namespace orvanth::artgen

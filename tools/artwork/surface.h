// Helpers shared by the surface maps: pixel to sphere point, height fields
// with baked-in relief light, and crater fields.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artwork/image.h"
#include "tools/artwork/noise.h"

namespace orvanth::artgen {

constexpr int kMapWidth = 252;
constexpr int kMapHeight = 124;
constexpr int kEarthSize = 256;

struct MapPoint {
  Vec3 p;      // on the unit sphere, z towards the north pole
  double lat;  // radians, +pi/2 at the top row
  double lon;  // radians, 0 to 2 pi across
};

// Pixel centre (x, y) of a w x h map.
MapPoint map_point(int x, int y, int w, int h);

// A scalar per pixel, wrapping in x.
struct Field {
  int width;
  int height;
  std::vector<double> v;
  Field(int w, int h)
      : width(w), height(h), v(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0.0) {}
  double& at(int x, int y);
  double get(int x, int y) const;  // x wraps, y clamps
};

// Light factor around 1 from the slope of a height field, lit from the
// north-west; strength scales the slope.
double relief(const Field& height, int x, int y, double strength);

// Height contribution of scattered impact craters: bowls with raised rims,
// central peaks in the large ones and faint ejecta. Scale sets how many fit
// on the sphere; density the share of cells that hold one.
double crater_height(Vec3 p, double scale, double density, std::uint32_t seed);

}  // namespace orvanth::artgen

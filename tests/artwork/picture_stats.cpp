#include "tests/artwork/picture_stats.h"

#include <cstdlib>

namespace orvanth::art::test {

namespace {
const std::uint8_t* at(const Picture& p, int x, int y) {
  return p.pixels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) +
                     static_cast<std::size_t>(x)) *
                        static_cast<std::size_t>(p.channels);
}
}  // namespace

Colour pixel(const Picture& p, int x, int y) {
  const std::uint8_t* q = at(p, x, y);
  return {q[0], q[1], q[2]};
}

int alpha(const Picture& p, int x, int y) { return p.channels == 4 ? at(p, x, y)[3] : 255; }

std::array<double, 3> mean_colour(const Picture& p) {
  std::array<double, 3> sum{0, 0, 0};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      for (int c = 0; c < 3; ++c) sum[static_cast<std::size_t>(c)] += at(p, x, y)[c];
  for (double& s : sum) s /= p.width * p.height;
  return sum;
}

double column_difference(const Picture& p, int a, int b) {
  double sum = 0;
  for (int y = 0; y < p.height; ++y)
    for (int c = 0; c < 3; ++c) sum += std::abs(at(p, a, y)[c] - at(p, b, y)[c]);
  return sum / (3.0 * p.height);
}

double neighbour_column_difference(const Picture& p) {
  double sum = 0;
  for (int x = 0; x + 1 < p.width; ++x) sum += column_difference(p, x, x + 1);
  return sum / (p.width - 1);
}

}  // namespace orvanth::art::test

// Measurements over a picture for the artwork tests.
#pragma once

#include <array>
#include <cstdint>

#include "saver/art/resources.h"

namespace orvanth::art::test {

using Colour = std::array<int, 3>;

Colour pixel(const Picture& p, int x, int y);
int alpha(const Picture& p, int x, int y);
// Mean of each channel over the whole picture.
std::array<double, 3> mean_colour(const Picture& p);
// Mean absolute channel difference between two columns.
double column_difference(const Picture& p, int a, int b);
// Mean of column_difference over all neighbouring column pairs.
double neighbour_column_difference(const Picture& p);
// Share of pixels for which pred(colour) holds.
template <class Pred>
double share(const Picture& p, Pred pred) {
  int n = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) n += pred(pixel(p, x, y)) ? 1 : 0;
  return static_cast<double>(n) / (p.width * p.height);
}

}  // namespace orvanth::art::test

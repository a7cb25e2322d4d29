#include "saver/run/run_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvanth::run {

int pick_for(double r, int left) {
  if (!(r >= 0.0)) {
    r = 0.0;
  }
  const int pick = static_cast<int>(r * left) + 1;
  return std::clamp(pick, 1, left);
}

PlanetOrderArray shuffle_planets(const std::function<double()>& draw) {
  PlanetOrderArray order{};
  std::array<bool, kPictureCount + 1> taken{};
  std::size_t count = 0;
  for (int left = kPictureCount; left != 0; --left) {
    const int pick = pick_for(draw(), left);
    int free_seen = 0;
    for (std::size_t j = 1; j < taken.size(); ++j) {
      if (taken[j]) {
        continue;
      }
      if (++free_seen == pick) {
        taken[j] = true;
        ++count;
        if (count < order.size()) {
          order[count] = static_cast<std::int16_t>(j);
        }
        break;
      }
    }
  }
  return order;
}

int water_picture(double r) {
  if (!(r >= 0.0)) {
    r = 0.0;
  }
  return std::clamp(static_cast<int>(r * 7.0 + 1.0), 1, 7);
}

BoxSize box_size(const art::Picture& picture, double twips_x, double twips_y) {
  const auto inner = [](int pixels, double twips) {
    if (!(twips > 0.0)) {
      twips = kDesignTwipsPerPixel;
    }
    return static_cast<int>(std::lround(pixels * kDesignTwipsPerPixel / twips));
  };
  return BoxSize{inner(picture.width, twips_x), inner(picture.height, twips_y)};
}

std::vector<std::uint8_t> box_image(const art::Picture& picture, BoxSize box) {
  const int width = std::max(box.width, 0);
  const int height = std::max(box.height, 0);
  const auto row_bytes = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> rgb(row_bytes * static_cast<std::size_t>(height), kBoxGrey);
  if (picture.pixels == nullptr || picture.channels < 3) {
    return rgb;
  }
  const int cols = std::min(width, picture.width);
  const int rows = std::min(height, picture.height);
  const auto source_row_bytes =
      static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.channels);
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* src = picture.pixels + static_cast<std::size_t>(y) * source_row_bytes;
    std::uint8_t* dst = rgb.data() + static_cast<std::size_t>(y) * row_bytes;
    for (int x = 0; x < cols; ++x, src += picture.channels, dst += 3) {
      const int alpha = picture.channels == 4 ? src[3] : 255;
      for (int c = 0; c < 3; ++c) {
        dst[c] = static_cast<std::uint8_t>((src[c] * alpha + kBoxGrey * (255 - alpha) + 127) / 255);
      }
    }
  }
  return rgb;
}

}  // namespace orvanth::run

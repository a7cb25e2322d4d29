// The pure half of the preview: window number, twips and picture scaling.
#include <algorithm>
#include <cmath>

#include "saver/forms/numbers.h"
#include "saver/preview/preview.h"

namespace orvanth::preview {
namespace {

std::uint8_t channel(const art::Picture& p, int x, int y, int c) {
  const std::size_t index = (static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) +
                             static_cast<std::size_t>(x)) *
                                static_cast<std::size_t>(p.channels) +
                            static_cast<std::size_t>(c);
  return p.pixels[index];
}

// The source coordinate of a target pixel centre, clamped to the picture.
void source_span(int target, int target_size, int source_size, int& i0, int& i1, double& t) {
  const double s = (target + 0.5) * source_size / target_size - 0.5;
  const double clamped = std::clamp(s, 0.0, static_cast<double>(source_size - 1));
  i0 = static_cast<int>(std::floor(clamped));
  i1 = std::min(i0 + 1, source_size - 1);
  t = clamped - i0;
}

}  // namespace

std::int32_t window_number(std::string_view command_line) {
  if (command_line.size() < 4) {
    return 0;
  }
  return forms::to_int32(forms::text_to_number(command_line.substr(3))).value_or(0);
}

TwipsSize twips_size(int width_px, int height_px, double twips_x, double twips_y) {
  return TwipsSize{forms::to_int16(width_px * twips_x).value_or(0),
                   forms::to_int16(height_px * twips_y).value_or(0)};
}

std::vector<std::uint8_t> scale_picture(const art::Picture& picture, int width, int height) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(std::max(width, 0)) *
                                    static_cast<std::size_t>(std::max(height, 0)) * 3U,
                                0);
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0 ||
      (picture.channels != 3 && picture.channels != 4)) {
    return out;
  }
  std::size_t o = 0;
  for (int y = 0; y < height; ++y) {
    int y0 = 0;
    int y1 = 0;
    double ty = 0;
    source_span(y, height, picture.height, y0, y1, ty);
    for (int x = 0; x < width; ++x) {
      int x0 = 0;
      int x1 = 0;
      double tx = 0;
      source_span(x, width, picture.width, x0, x1, tx);
      const auto sample = [&](int c) {
        const double top =
            channel(picture, x0, y0, c) * (1 - tx) + channel(picture, x1, y0, c) * tx;
        const double bottom =
            channel(picture, x0, y1, c) * (1 - tx) + channel(picture, x1, y1, c) * tx;
        return top * (1 - ty) + bottom * ty;
      };
      const double alpha = picture.channels == 4 ? sample(3) / 255.0 : 1.0;
      for (int c = 0; c < 3; ++c) {
        out[o++] =
            static_cast<std::uint8_t>(std::lround(std::clamp(sample(c) * alpha, 0.0, 255.0)));
      }
    }
  }
  return out;
}

}  // namespace orvanth::preview

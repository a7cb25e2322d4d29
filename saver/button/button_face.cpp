#include "saver/button/button_face.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orvanth::button_face {
namespace {

bool fits_16(int v) {
  return v >= std::numeric_limits<std::int16_t>::min() &&
         v <= std::numeric_limits<std::int16_t>::max();
}

bool sound(const Rect& r) {
  return fits_16(r.x) && fits_16(r.y) && fits_16(r.w) && fits_16(r.h) && fits_16(r.x + r.w) &&
         fits_16(r.y + r.h) && r.w > 0 && r.h > 0;
}

int nearest_pixel(int twips) {
  // Rounds half up; 1 twip falls on pixel 0.
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

}  // namespace

Slices frame_slices(int w, int h) {
  const int c = kCorner;
  const int mid_src_w = kPictureWidth - 2 * c;   // 840
  const int mid_src_h = kPictureHeight - 2 * c;  // 255
  const int mid_w = w - 2 * c;
  const int mid_h = h - 2 * c;
  const int right_src = kPictureWidth - c;    // 900
  const int bottom_src = kPictureHeight - c;  // 315
  Slices s{{{
               {{1, 1, c, c}, {0, 0, c, c}},
               {{c, 1, mid_w, c}, {c, 1, mid_src_w, c}},
               {{w - c, 1, c, c}, {right_src, 1, c, c}},
               {{w - c, c, c, mid_h}, {right_src, c, c, mid_src_h}},
               {{w - c, h - c, c, c}, {right_src, bottom_src, c, c}},
               {{c, h - c, mid_w, c}, {c, bottom_src, mid_src_w, c}},
               {{1, h - c, c, c}, {0, bottom_src, c, c}},
               {{1, c, c, mid_h}, {1, c, c, mid_src_h}},
           }},
           {}};
  for (std::size_t i = 0; i < s.pieces.size(); ++i) {
    s.valid[i] = fits_16(w) && fits_16(h) && sound(s.pieces[i].dest);
  }
  return s;
}

Rect to_pixels(const Rect& t) {
  return {nearest_pixel(t.x), nearest_pixel(t.y), nearest_pixel(t.w), nearest_pixel(t.h)};
}

Rect to_pixels(const Rect& t, double tx, double ty) {
  const auto edge = [](int twips, double per_pixel) {
    return static_cast<int>(std::lround(twips / per_pixel));
  };
  const int left = edge(t.x, tx);
  const int top = edge(t.y, ty);
  return {left, top, edge(t.x + t.w, tx) - left, edge(t.y + t.h, ty) - top};
}

std::vector<Piece> frame_pieces(int width_pixels, int height_pixels, double tx, double ty) {
  const Slices slices = frame_slices(static_cast<int>(std::lround(width_pixels * tx)),
                                     static_cast<int>(std::lround(height_pixels * ty)));
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i < slices.pieces.size(); ++i) {
    if (!slices.valid[i]) continue;
    pieces.push_back(
        {to_pixels(slices.pieces[i].dest, tx, ty), to_pixels(slices.pieces[i].source)});
  }
  return pieces;
}

double caption_top(int height_twips, int caption_height_twips) {
  return (static_cast<double>(height_twips) - caption_height_twips - 20.0) / 2.0;
}

int caption_top_pixels(int height_pixels, double ty, int caption_height_twips) {
  const double top =
      caption_top(static_cast<int>(std::lround(height_pixels * ty)), caption_height_twips);
  return static_cast<int>(std::lround(top / ty));
}

VertexColour vertex_colour(std::string_view constant) {
  // The constant's value, then its hexadecimal digits; a value shorter than
  // six digits is padded in front so the pairs stay red, green, blue.
  std::string_view digits = constant;
  if (digits.size() >= 2 && digits[0] == '&' && (digits[1] == 'H' || digits[1] == 'h')) {
    digits.remove_prefix(2);
  }
  std::uint32_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  value &= 0xFFFFFFU;
  auto channel = [value](int shift) {
    return static_cast<std::uint16_t>(((value >> shift) & 0xFFU) << 8);
  };
  return {channel(16), channel(8), channel(0), 0};
}

}  // namespace orvanth::button_face

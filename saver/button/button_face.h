// Geometry and colours of the command button's face: the eight frame pieces
// cut from a 64 x 25 state picture, the caption's place and the gradient.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvanth::button_face {

constexpr int kTwipsPerPixel = 15;   // the state pictures' resolution
constexpr int kCorner = 60;          // 4 pixels
constexpr int kPictureWidth = 960;   // 64 pixels
constexpr int kPictureHeight = 375;  // 25 pixels
constexpr int kCaptionHeight = 195;  // LblMsg's own height, 13 pixels
constexpr int kCaptionTop = 90;      // LblMsg's top until the first layout

struct Rect {
  int x, y, w, h;
  bool operator==(const Rect&) const = default;
};

// One stretch-copy: a source region of the picture onto a face region.
struct Piece {
  Rect dest;
  Rect source;
};

// The eight pieces, clockwise from the top-left corner, in twips for a face
// of width x height twips. A piece whose geometry leaves 16 bits, or whose
// size is not positive, is marked invalid and skipped.
struct Slices {
  std::array<Piece, 8> pieces;
  std::array<bool, 8> valid;
};
Slices frame_slices(int width_twips, int height_twips);

// Twips to pixels at the pictures' resolution, to the nearest pixel.
Rect to_pixels(const Rect& twips);
// Twips to pixels of a screen with these twips per pixel: each edge to its
// nearest pixel, so that neighbouring pieces meet without a gap.
Rect to_pixels(const Rect& twips, double twips_per_pixel_x, double twips_per_pixel_y);

// The valid pieces for a face of width x height pixels on a screen of these
// twips per pixel, in pixels: where on the face, and from where in the picture.
std::vector<Piece> frame_pieces(int width_pixels, int height_pixels, double twips_per_pixel_x,
                                double twips_per_pixel_y);

// LblMsg's top for a face height, in twips: 10 twips above the middle.
double caption_top(int height_twips, int caption_height_twips = kCaptionHeight);
// The same in pixels, for a face height in pixels on such a screen.
int caption_top_pixels(int height_pixels, double twips_per_pixel_y,
                       int caption_height_twips = kCaptionHeight);

// A gradient colour as the vertex record holds it: 16-bit channels with the
// 8-bit value in the high byte.
struct VertexColour {
  std::uint16_t red, green, blue, alpha;
};
// From a colour constant written "&HRRGGBB"; digit pairs in written order.
VertexColour vertex_colour(std::string_view constant);

inline constexpr std::string_view kLightConstant = "&HFFFFFF";
inline constexpr std::string_view kDarkConstant = "&HC6C5D7";

}  // namespace orvanth::button_face

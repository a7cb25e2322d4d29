// What a Command's face must hold, on either platform: the frame cut from
// the state's picture and the gradient between the two colours. A face is
// read through a pixel function giving 0xRRGGBB.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "saver/art/resources.h"

namespace orvanth::test::face {

using Pixels = std::function<std::uint32_t(int x, int y)>;

inline constexpr std::uint32_t kLight = 0xFFFFFF;
inline constexpr std::uint32_t kDark = 0xC6C5D7;

inline std::uint32_t picture_pixel(const art::Picture& p, int x, int y) {
  const std::uint8_t* px = p.pixels + (static_cast<std::ptrdiff_t>(y) * p.width + x) * p.channels;
  return (std::uint32_t{px[0]} << 16) | (std::uint32_t{px[1]} << 8) | px[2];
}

inline int channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFFU); }

// The gradient colour of face row y of h rows, top colour to bottom colour.
inline std::uint32_t gradient_at(int y, int h, bool reversed) {
  const std::uint32_t top = reversed ? kDark : kLight;
  const std::uint32_t bottom = reversed ? kLight : kDark;
  const double t = static_cast<double>(y) / (h - 1);
  std::uint32_t out = 0;
  for (const int shift : {16, 8, 0}) {
    const int a = channel(top, shift);
    const int b = channel(bottom, shift);
    out |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
  }
  return out;
}

inline bool near(std::uint32_t got, std::uint32_t want, int tolerance = 2) {
  for (const int shift : {16, 8, 0}) {
    if (std::abs(channel(got, shift) - channel(want, shift)) > tolerance) return false;
  }
  return true;
}

inline std::string at(const char* what, int x, int y, std::uint32_t got) {
  std::ostringstream out;
  out << what << " " << x << "," << y << " is " << std::hex << got;
  return out.str();
}

// "" when the face's 4-pixel ring comes from the picture: corners copied
// unscaled, edge pixels stretched from the same ring of the picture;
// otherwise the first pixel that does not.
inline std::string frame_mismatch(const Pixels& face, int w, int h, art::ButtonPicture which) {
  const art::Picture p = art::button_state_picture(which);
  if (p.width != 64 || p.height != 25) return "not a 64 x 25 picture";
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 4; ++i) {
      const struct {
        int fx, fy, px, py;
      } corners[] = {{i, j, i, j},
                     {w - 4 + i, j, 60 + i, j},
                     {w - 4 + i, h - 4 + j, 60 + i, 21 + j},
                     {i, h - 4 + j, i, 21 + j}};
      for (const auto& c : corners) {
        if (face(c.fx, c.fy) != picture_pixel(p, c.px, c.py)) {
          return at("corner", c.fx, c.fy, face(c.fx, c.fy));
        }
      }
    }
  }
  for (int ring = 0; ring < 4; ++ring) {
    std::set<std::uint32_t> top, bottom, left, right;
    for (int x = 4; x < 60; ++x) {
      top.insert(picture_pixel(p, x, ring));
      bottom.insert(picture_pixel(p, x, 21 + ring));
    }
    for (int y = 4; y < 21; ++y) {
      left.insert(picture_pixel(p, ring, y));
      right.insert(picture_pixel(p, 60 + ring, y));
    }
    for (int x = 4; x < w - 4; ++x) {
      if (!top.count(face(x, ring))) return at("top", x, ring, face(x, ring));
      if (!bottom.count(face(x, h - 4 + ring)))
        return at("bottom", x, h - 4 + ring, face(x, h - 4 + ring));
    }
    for (int y = 4; y < h - 4; ++y) {
      if (!left.count(face(ring, y))) return at("left", ring, y, face(ring, y));
      if (!right.count(face(w - 4 + ring, y)))
        return at("right", w - 4 + ring, y, face(w - 4 + ring, y));
    }
  }
  return "";
}

// "" when columns [x0, x1) of rows [y0, y1) show the gradient of an h-row
// face; otherwise the first pixel that does not.
inline std::string gradient_mismatch(const Pixels& face, int x0, int x1, int y0, int y1, int h,
                                     bool reversed) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (!near(face(x, y), gradient_at(y, h, reversed))) return at("gradient", x, y, face(x, y));
    }
  }
  return "";
}

}  // namespace orvanth::test::face

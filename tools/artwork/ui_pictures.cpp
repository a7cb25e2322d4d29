#include "tools/artwork/ui_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/artwork/det_math.h"

namespace orvanth::artgen {
namespace {

using Colour = std::uint32_t;

// Exact integer blend of two #RRGGBB colours, step i of n.
Colour blend(Colour a, Colour b, int i, int n) {
  if (n <= 0) return a;
  i = i < 0 ? 0 : (i > n ? n : i);
  Colour out = 0;
  for (unsigned shift : {16U, 8U, 0U}) {
    const int ca = static_cast<int>((a >> shift) & 0xFFU);
    const int cb = static_cast<int>((b >> shift) & 0xFFU);
    const int c = (ca * (n - i) + cb * i + n / 2) / n;
    out |= static_cast<Colour>(c) << shift;
  }
  return out;
}

// Colours of one state picture, ring by ring (ring 0 is the outermost).
struct ButtonStyle {
  int inset;         // rings of plain face colour outside the frame
  Colour face;       // colour of those rings
  Colour outer_top;  // ring outside the line, top to bottom gradient
  Colour outer_bottom;
  bool has_outer;  // whether that ring exists
  Colour line;     // the rounded line
  // The two rings inside the line, by side.
  Colour top[2];
  Colour side_top[2];
  Colour side_bottom[2];
  Colour bottom[2];
  Colour left_top[2];  // the left side may differ (sunken shading)
  Colour left_bottom[2];
  Colour middle;
};

// The top, upper side, lower side and bottom rims, each as {outer, inner}.
void set_rims(ButtonStyle& s, const Colour (&rims)[4][2]) {
  Colour(*const rows[4])[2] = {&s.top, &s.side_top, &s.side_bottom, &s.bottom};
  for (int i = 0; i < 4; ++i) {
    (*rows[i])[0] = rims[i][0];
    (*rows[i])[1] = rims[i][1];
  }
}

ButtonStyle style_for(ButtonKind kind) {
  ButtonStyle s{};
  s.inset = 0;
  s.face = 0xECE9D8;
  s.has_outer = true;
  s.outer_top = 0xE0DCC9;
  s.outer_bottom = 0xF8F7F0;
  s.line = 0x003C74;
  auto both = [](Colour(&arr)[2], Colour a, Colour b) {
    arr[0] = a;
    arr[1] = b;
  };
  // The shadow row lies just above the bottom line.
  set_rims(
      s, {{0xF3F3EE, 0xF3F3EE}, {0xF3F3EE, 0xF3F3EE}, {0xF3F3EE, 0xF3F3EE}, {0xD6D0C5, 0xF3F3EE}});
  s.middle = 0xF3F3EE;
  switch (kind) {
    case ButtonKind::Normal:
      break;
    case ButtonKind::HighLight:
    case ButtonKind::HighLightSelect:
      set_rims(
          s,
          {{0xFFF0CF, 0xFDD889}, {0xFCD279, 0xFCD279}, {0xF8B535, 0xF8B535}, {0xE59700, 0xF8B330}});
      break;
    case ButtonKind::Selected:
      set_rims(
          s,
          {{0xCEE7FF, 0xCEE7FF}, {0xB7D0F4, 0xB7D0F4}, {0x8BADE4, 0x8BADE4}, {0x6982EE, 0x6982EE}});
      break;
    case ButtonKind::Pressed:
      // The normal frame one pixel further in, darker inside top and left.
      s.inset = 1;
      both(s.top, 0xD0CBBF, 0xD0CBBF);
      both(s.bottom, 0xD6D0C5, 0xD6D0C5);
      s.middle = 0xE6E3DA;
      break;
    case ButtonKind::Disable:
      s.has_outer = false;
      s.inset = 1;
      s.line = 0xC9C7BA;
      set_rims(
          s,
          {{0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}});
      s.middle = 0xF5F4EA;
      break;
  }
  s.left_top[0] = s.side_top[0];
  s.left_top[1] = s.side_top[1];
  s.left_bottom[0] = s.side_bottom[0];
  s.left_bottom[1] = s.side_bottom[1];
  if (kind == ButtonKind::Pressed) {
    s.left_top[0] = 0xD0CBBF;
    s.left_bottom[0] = 0xD9D4CB;
  }
  return s;
}

// Colour of pixel (x, y) with square corners; ring = distance to the edge.
Colour square_colour(const ButtonStyle& s, int x, int y, int w, int h) {
  const int ring = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
  if (ring < s.inset) return s.face;
  const int line_ring = s.inset + (s.has_outer ? 1 : 0);
  if (s.has_outer && ring == s.inset) {
    return blend(s.outer_top, s.outer_bottom, y - s.inset, h - 1 - 2 * s.inset);
  }
  if (ring == line_ring) return s.line;
  const int k = ring - line_ring - 1;
  if (k >= 2) return s.middle;
  // Which side the pixel belongs to: top and bottom rows win over the sides.
  const int inner = line_ring + 1;  // first ring inside the line
  if (y == inner + k) return s.top[k];
  if (y == h - 1 - inner - k) return s.bottom[k];
  const int first = inner + 2;
  const int last = h - 1 - inner - 2;
  const bool left = x < w / 2;
  const Colour a = left ? s.left_top[k] : s.side_top[k];
  const Colour b = left ? s.left_bottom[k] : s.side_bottom[k];
  return blend(a, b, y - first, last - first);
}

// Signed distance from the centre line of the rounded frame (radius 2).
double frame_distance(double px, double py, double lo_x, double lo_y, double hi_x, double hi_y) {
  constexpr double kRadius = 2.0;
  const double cx =
      px < lo_x + kRadius ? lo_x + kRadius : (px > hi_x - kRadius ? hi_x - kRadius : px);
  const double cy =
      py < lo_y + kRadius ? lo_y + kRadius : (py > hi_y - kRadius ? hi_y - kRadius : py);
  const double dx = px - cx;
  const double dy = py - cy;
  const bool in_corner = (dx != 0.0) && (dy != 0.0);
  if (in_corner) return det_sqrt(dx * dx + dy * dy) - kRadius;
  // Along the straight parts: distance to the nearest edge line, negative inside.
  const double d = std::min(std::min(px - lo_x, hi_x - px), std::min(py - lo_y, hi_y - py));
  return -d;
}

// The corners get a rounded, anti-aliased line: 8 x 8 samples per pixel,
// each taking the outside, line or inside colour.
Rgb corner_pixel(const ButtonStyle& s, int x, int y, int w, int h) {
  const int line_ring = s.inset + (s.has_outer ? 1 : 0);
  const double lo = line_ring + 0.5;
  const double hi_x = w - line_ring - 0.5;
  const double hi_y = h - line_ring - 0.5;
  const int ring = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
  const Rgb outside = hex(
      s.has_outer ? blend(s.outer_top, s.outer_bottom, y - s.inset, h - 1 - 2 * s.inset) : s.face);
  // Inside colour: the pixel's own inner-ring colour, or the first inner ring's.
  const int cx = x < w / 2 ? std::max(x, line_ring + 1) : std::min(x, w - line_ring - 2);
  const int cy = y < h / 2 ? std::max(y, line_ring + 1) : std::min(y, h - line_ring - 2);
  const Rgb inside =
      hex(ring > line_ring ? square_colour(s, x, y, w, h) : square_colour(s, cx, cy, w, h));
  const Rgb line = hex(s.line);
  Rgb sum{0, 0, 0};
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      const double d = frame_distance(x + (i + 0.5) / 8.0, y + (j + 0.5) / 8.0, lo, lo, hi_x, hi_y);
      sum = sum + (d > 0.5 ? outside : (d < -0.5 ? inside : line));
    }
  }
  return sum * (1.0 / 64.0);
}

}  // namespace

Image make_marker_empty() {
  Image img("marker-empty", kMarkerSize, kMarkerSize, 3);
  for (int y = 0; y < kMarkerSize; ++y) {
    for (int x = 0; x < kMarkerSize; ++x) {
      const bool frame = x == 0 || y == 0 || x == kMarkerSize - 1 || y == kMarkerSize - 1;
      img.set_hex(x, y, frame ? 0x808080U : 0xFFFFFFU);
    }
  }
  return img;
}

Image make_marker_filled() {
  Image img("marker-filled", kMarkerSize, kMarkerSize, 3);
  for (int y = 0; y < kMarkerSize; ++y) {
    for (int x = 0; x < kMarkerSize; ++x) {
      const bool frame = x == 0 || y == 0 || x == kMarkerSize - 1 || y == kMarkerSize - 1;
      // A darker blue rim and a lighter top-left give the square some depth.
      const Colour c =
          frame ? 0x1A3C9CU : blend(0x4A78E8U, 0x2450C8U, x + y, 2 * (kMarkerSize - 3));
      img.set_hex(x, y, c);
    }
  }
  return img;
}

Image make_button_picture(ButtonKind kind) {
  static constexpr const char* kNames[] = {"button-normal",           "button-highlight",
                                           "button-pressed",          "button-disable",
                                           "button-highlight-select", "button-selected"};
  Image img(kNames[static_cast<int>(kind)], kButtonWidth, kButtonHeight, 3);
  const ButtonStyle s = style_for(kind);
  const int line_ring = s.inset + (s.has_outer ? 1 : 0);
  const int corner = line_ring + 3;  // pixels touched by the rounding
  for (int y = 0; y < kButtonHeight; ++y) {
    for (int x = 0; x < kButtonWidth; ++x) {
      const bool cx = x < corner || x >= kButtonWidth - corner;
      const bool cy = y < corner || y >= kButtonHeight - corner;
      const int ring =
          std::min(std::min(x, y), std::min(kButtonWidth - 1 - x, kButtonHeight - 1 - y));
      if (cx && cy && ring >= s.inset) {
        img.set(x, y, corner_pixel(s, x, y, kButtonWidth, kButtonHeight));
      } else {
        img.set_hex(x, y, square_colour(s, x, y, kButtonWidth, kButtonHeight));
      }
    }
  }
  return img;
}

}  // namespace orvanth::artgen

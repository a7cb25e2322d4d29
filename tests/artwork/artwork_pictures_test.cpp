#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "saver/art/resources.h"
#include "tests/artwork/picture_stats.h"

namespace orvanth::art {
namespace {

using test::alpha;
using test::Colour;
using test::pixel;

void expect_size(const Picture& p, int w, int h, int channels) {
  EXPECT_EQ(p.width, w);
  EXPECT_EQ(p.height, h);
  EXPECT_EQ(p.channels, channels);
  EXPECT_NE(p.pixels, nullptr);
}

TEST(ArtworkPictures, EveryPictureHasItsSize) {
  for (int i = 1; i <= 12; ++i) {
    SCOPED_TRACE(i);
    if (i == 4) {
      expect_size(planet_map(i), 256, 256, 3);
    } else {
      expect_size(planet_map(i), 252, 124, 3);
    }
  }
  expect_size(preview_picture(), 152, 112, 3);
  expect_size(marker_empty(), 12, 12, 3);
  expect_size(marker_filled(), 12, 12, 3);
  for (ButtonPicture b :
       {ButtonPicture::Normal, ButtonPicture::HighLight, ButtonPicture::Pressed,
        ButtonPicture::Disable, ButtonPicture::HighLightSelect, ButtonPicture::Selected}) {
    expect_size(button_state_picture(b), 64, 25, 3);
  }
  expect_size(icon(), 32, 32, 4);
}

TEST(ArtworkPictures, PicturesDoNotOverlap) {
  // Each picture's pixels end where the next one's begin, so no two alias.
  const Picture first = planet_map(1);
  const Picture second = planet_map(2);
  EXPECT_EQ(second.pixels - first.pixels, 252 * 124 * 3);
  EXPECT_NE(planet_map(3).pixels, planet_map(5).pixels);
  EXPECT_NE(button_state_picture(ButtonPicture::Normal).pixels,
            button_state_picture(ButtonPicture::Selected).pixels);
}

TEST(ArtworkPictures, IndexOutsideOneToTwelveGivesNoPicture) {
  for (int i : {0, -1, 13, 1000}) {
    const Picture p = planet_map(i);
    EXPECT_EQ(p.pixels, nullptr) << i;
    EXPECT_EQ(p.width, 0) << i;
    EXPECT_EQ(p.height, 0) << i;
  }
  EXPECT_EQ(button_state_picture(static_cast<ButtonPicture>(6)).pixels, nullptr);
}

TEST(ArtworkPictures, EmptyMarkerIsWhiteInsideAGreyFrame) {
  const Picture m = marker_empty();
  for (int i = 0; i < 12; ++i) {
    for (const Colour& c : {pixel(m, i, 0), pixel(m, i, 11), pixel(m, 0, i), pixel(m, 11, i)}) {
      EXPECT_EQ(c[0], c[1]);
      EXPECT_EQ(c[1], c[2]);
      EXPECT_GT(c[0], 64);
      EXPECT_LT(c[0], 200);
    }
  }
  for (int y = 1; y < 11; ++y)
    for (int x = 1; x < 11; ++x)
      EXPECT_EQ(pixel(m, x, y), (Colour{255, 255, 255})) << x << "," << y;
}

TEST(ArtworkPictures, FilledMarkerIsBlueThroughout) {
  const Picture m = marker_filled();
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const Colour c = pixel(m, x, y);
      EXPECT_GT(c[2], c[0] + 80) << x << "," << y;
      EXPECT_GT(c[2], c[1] + 60) << x << "," << y;
    }
  }
}

TEST(ArtworkPictures, IconIsAnOpaqueShapeOnATransparentGround) {
  const Picture picture = icon();
  EXPECT_EQ(alpha(picture, 0, 0), 0);
  EXPECT_EQ(alpha(picture, 31, 0), 0);
  EXPECT_EQ(alpha(picture, 0, 31), 0);
  EXPECT_EQ(alpha(picture, 31, 31), 0);
  EXPECT_EQ(alpha(picture, 16, 13), 255);  // the planet
  EXPECT_EQ(alpha(picture, 16, 27), 255);  // the water below it
  int opaque = 0;
  int partial = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      opaque += alpha(picture, x, y) == 255 ? 1 : 0;
      partial += (alpha(picture, x, y) > 0 && alpha(picture, x, y) < 255) ? 1 : 0;
    }
  }
  EXPECT_GT(opaque, 300);
  EXPECT_GT(partial, 20) << "edges are anti-aliased";
}

TEST(ArtworkPictures, PreviewShowsPlanetsAbovePaleWater) {
  const Picture p = preview_picture();
  // The bottom rows are pale water, lighter than the backdrop at the top.
  double top = 0;
  double bottom = 0;
  for (int x = 0; x < 152; ++x) {
    const Colour t = pixel(p, x, 2);
    const Colour b = pixel(p, x, 60);
    top += t[0] + t[1] + t[2];
    bottom += b[0] + b[1] + b[2];
  }
  EXPECT_GT(bottom / 152, top / 152 + 60);
  EXPECT_GT(bottom / (152 * 3), 170.0);
  // Several textured planets: clearly coloured pixels cover a good part.
  const double coloured = test::share(p, [](const Colour& c) {
    const int hi = std::max(c[0], std::max(c[1], c[2]));
    const int lo = std::min(c[0], std::min(c[1], c[2]));
    return hi - lo > 50;
  });
  EXPECT_GT(coloured, 0.04);
  // Warm (sun, red planet) and blue (ocean, deep blue planet) pixels both occur.
  EXPECT_GT(test::share(p, [](const Colour& c) { return c[0] > c[2] + 80; }), 0.005);
  EXPECT_GT(test::share(p, [](const Colour& c) { return c[2] > c[0] + 60; }), 0.005);
}

}  // namespace
}  // namespace orvanth::art

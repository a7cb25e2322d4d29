#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "saver/art/resources.h"
#include "tests/artwork/picture_stats.h"

namespace orvanth::art {
namespace {

using test::Colour;

Colour rgb(std::uint32_t v) {
  return {static_cast<int>((v >> 16U) & 0xFFU), static_cast<int>((v >> 8U) & 0xFFU),
          static_cast<int>(v & 0xFFU)};
}

using Points = std::initializer_list<std::pair<int, int>>;
using ColourTable = std::initializer_list<std::pair<std::uint32_t, Points>>;

// Each colour where the picture must have it.
void expect_colours(ButtonPicture which, ColourTable table) {
  const Picture p = button_state_picture(which);
  for (const auto& [colour, at] : table) {
    for (const auto& [x, y] : at) {
      EXPECT_EQ(test::pixel(p, x, y), rgb(colour)) << "at " << x << "," << y;
    }
  }
}

// The frame's line and the ring outside it, shared by Normal, HighLight and Selected.
void expect_normal_line(ButtonPicture which) {
  expect_colours(which, {{0xE0DCC9, {{32, 0}}},
                         {0xF8F7F0, {{32, 24}}},
                         {0xECEADD, {{0, 12}, {63, 12}}},
                         {0x003C74, {{32, 1}, {32, 23}, {1, 12}, {62, 12}, {5, 1}, {58, 23}}}});
}

TEST(ButtonPictures, NormalRings) {
  expect_normal_line(ButtonPicture::Normal);
  expect_colours(ButtonPicture::Normal, {{0xF3F3EE, {{32, 2}, {2, 12}, {61, 12}, {32, 3}, {3, 12}}},
                                         {0xD6D0C5, {{32, 22}, {10, 22}}}});
}

TEST(ButtonPictures, OuterRingRunsFromBeigeAtTheTopToNearWhiteAtTheBottom) {
  const Picture p = button_state_picture(ButtonPicture::Normal);
  for (int y = 1; y < 25; ++y) {
    const Colour above = test::pixel(p, 0, y - 1);
    const Colour here = test::pixel(p, 0, y);
    for (int c = 0; c < 3; ++c)
      EXPECT_GE(here[static_cast<std::size_t>(c)], above[static_cast<std::size_t>(c)]);
  }
}

TEST(ButtonPictures, CornersAreRoundedAndAntiAliased) {
  for (ButtonPicture b :
       {ButtonPicture::Normal, ButtonPicture::HighLight, ButtonPicture::Selected}) {
    const Picture p = button_state_picture(b);
    // Where the straight line would meet itself, the round corner leaves a
    // blend of line and outer ring: neither pure blue nor pure beige.
    for (auto [x, y] : {std::pair{1, 1}, std::pair{62, 1}, std::pair{1, 23}, std::pair{62, 23}}) {
      const Colour c = test::pixel(p, x, y);
      EXPECT_NE(c, rgb(0x003C74)) << x << "," << y;
      EXPECT_GT(c[0], 0x20) << x << "," << y;
      EXPECT_LT(c[0], 0xD8) << x << "," << y;
    }
    EXPECT_EQ(test::pixel(p, 0, 0), rgb(0xE0DCC9));
  }
}

TEST(ButtonPictures, HighLightHasAnOrangeInnerRingTwoPixelsWide) {
  expect_normal_line(ButtonPicture::HighLight);
  expect_colours(ButtonPicture::HighLight, {{0xFFF0CF, {{32, 2}}},
                                            {0xFDD889, {{32, 3}}},
                                            {0xFCD279, {{2, 4}, {3, 4}, {61, 4}}},
                                            {0xF8B535, {{2, 20}, {60, 20}}},
                                            {0xF8B330, {{32, 21}}},
                                            {0xE59700, {{32, 22}}}});
  // Down the sides the colour darkens step by step.
  const Picture p = button_state_picture(ButtonPicture::HighLight);
  for (int y = 5; y <= 20; ++y)
    EXPECT_LE(test::pixel(p, 2, y)[2], test::pixel(p, 2, y - 1)[2]) << y;
}

TEST(ButtonPictures, HighLightSelectIsTheSamePictureAsHighLight) {
  const Picture a = button_state_picture(ButtonPicture::HighLight);
  const Picture b = button_state_picture(ButtonPicture::HighLightSelect);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(test::pixel(a, x, y), test::pixel(b, x, y)) << x << "," << y;
}

TEST(ButtonPictures, SelectedHasABlueInnerRing) {
  expect_normal_line(ButtonPicture::Selected);
  expect_colours(ButtonPicture::Selected, {{0xCEE7FF, {{32, 2}, {32, 3}}},
                                           {0xB7D0F4, {{2, 4}, {61, 4}}},
                                           {0x8BADE4, {{2, 20}, {61, 20}}},
                                           {0x6982EE, {{32, 21}, {32, 22}}}});
}

TEST(ButtonPictures, PressedIsTheNormalFrameMovedInWithSunkenShading) {
  expect_colours(ButtonPicture::Pressed, {{0xECE9D8, {{32, 0}, {0, 12}, {63, 12}, {32, 24}}},
                                          {0xE0DCC9, {{32, 1}}},
                                          {0xF8F7F0, {{32, 23}}},
                                          {0x003C74, {{32, 2}, {32, 22}, {2, 12}, {61, 12}}},
                                          {0xD0CBBF, {{32, 3}, {3, 5}}},
                                          {0xD9D4CB, {{3, 19}}},
                                          {0xF3F3EE, {{60, 12}}},
                                          {0xD6D0C5, {{32, 21}}}});
}

TEST(ButtonPictures, DisableHasALightGreyLine) {
  expect_colours(ButtonPicture::Disable,
                 {{0xECE9D8, {{32, 0}, {0, 12}, {32, 24}}},
                  {0xC9C7BA, {{32, 1}, {32, 23}, {1, 12}, {62, 12}}},
                  {0xF5F4EA, {{32, 2}, {2, 12}, {32, 3}, {32, 22}, {61, 12}}}});
}

TEST(ButtonPictures, MiddleIsOnePlainColour) {
  for (ButtonPicture b : {ButtonPicture::Normal, ButtonPicture::HighLight, ButtonPicture::Pressed,
                          ButtonPicture::Disable, ButtonPicture::Selected}) {
    const Picture p = button_state_picture(b);
    const Colour mid = test::pixel(p, 32, 12);
    for (int y = 5; y < 20; ++y)
      for (int x = 5; x < 59; ++x)
        ASSERT_EQ(test::pixel(p, x, y), mid) << static_cast<int>(b) << " " << x << "," << y;
  }
}

}  // namespace
}  // namespace orvanth::art

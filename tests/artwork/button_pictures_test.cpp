#include <gtest/gtest.h>

#include <cstdint>

#include "saver/art/resources.h"
#include "tests/artwork/picture_stats.h"

namespace orvanth::art {
namespace {

using test::Colour;

Colour rgb(std::uint32_t v) {
  return {static_cast<int>((v >> 16U) & 0xFFU), static_cast<int>((v >> 8U) & 0xFFU),
          static_cast<int>(v & 0xFFU)};
}

struct At {
  int x;
  int y;
  std::uint32_t colour;
};

void expect_pixels(ButtonPicture which, std::initializer_list<At> expected) {
  const Picture p = button_state_picture(which);
  for (const At& a : expected) {
    EXPECT_EQ(test::pixel(p, a.x, a.y), rgb(a.colour)) << "at " << a.x << "," << a.y;
  }
}

// The frame's line and the ring outside it, shared by Normal, HighLight and Selected.
void expect_normal_line(ButtonPicture which) {
  expect_pixels(which, {{32, 0, 0xE0DCC9},
                        {32, 24, 0xF8F7F0},
                        {0, 12, 0xECEADD},
                        {63, 12, 0xECEADD},
                        {32, 1, 0x003C74},
                        {32, 23, 0x003C74},
                        {1, 12, 0x003C74},
                        {62, 12, 0x003C74},
                        {5, 1, 0x003C74},
                        {58, 23, 0x003C74}});
}

TEST(ButtonPictures, NormalRings) {
  expect_normal_line(ButtonPicture::Normal);
  expect_pixels(ButtonPicture::Normal, {{32, 2, 0xF3F3EE},
                                        {2, 12, 0xF3F3EE},
                                        {61, 12, 0xF3F3EE},
                                        {32, 3, 0xF3F3EE},
                                        {3, 12, 0xF3F3EE},
                                        {32, 22, 0xD6D0C5},
                                        {10, 22, 0xD6D0C5}});
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
  expect_pixels(ButtonPicture::HighLight, {{32, 2, 0xFFF0CF},
                                           {32, 3, 0xFDD889},
                                           {2, 4, 0xFCD279},
                                           {3, 4, 0xFCD279},
                                           {61, 4, 0xFCD279},
                                           {2, 20, 0xF8B535},
                                           {60, 20, 0xF8B535},
                                           {32, 21, 0xF8B330},
                                           {32, 22, 0xE59700}});
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
  expect_pixels(ButtonPicture::Selected, {{32, 2, 0xCEE7FF},
                                          {32, 3, 0xCEE7FF},
                                          {2, 4, 0xB7D0F4},
                                          {61, 4, 0xB7D0F4},
                                          {2, 20, 0x8BADE4},
                                          {61, 20, 0x8BADE4},
                                          {32, 21, 0x6982EE},
                                          {32, 22, 0x6982EE}});
}

TEST(ButtonPictures, PressedIsTheNormalFrameMovedInWithSunkenShading) {
  expect_pixels(ButtonPicture::Pressed, {{32, 0, 0xECE9D8},
                                         {0, 12, 0xECE9D8},
                                         {63, 12, 0xECE9D8},
                                         {32, 24, 0xECE9D8},
                                         {32, 1, 0xE0DCC9},
                                         {32, 23, 0xF8F7F0},
                                         {32, 2, 0x003C74},
                                         {32, 22, 0x003C74},
                                         {2, 12, 0x003C74},
                                         {61, 12, 0x003C74},
                                         {32, 3, 0xD0CBBF},
                                         {3, 5, 0xD0CBBF},
                                         {3, 19, 0xD9D4CB},
                                         {60, 12, 0xF3F3EE},
                                         {32, 21, 0xD6D0C5}});
}

TEST(ButtonPictures, DisableHasALightGreyLine) {
  expect_pixels(ButtonPicture::Disable, {{32, 0, 0xECE9D8},
                                         {0, 12, 0xECE9D8},
                                         {32, 24, 0xECE9D8},
                                         {32, 1, 0xC9C7BA},
                                         {32, 23, 0xC9C7BA},
                                         {1, 12, 0xC9C7BA},
                                         {62, 12, 0xC9C7BA},
                                         {32, 2, 0xF5F4EA},
                                         {2, 12, 0xF5F4EA},
                                         {32, 3, 0xF5F4EA},
                                         {32, 22, 0xF5F4EA},
                                         {61, 12, 0xF5F4EA}});
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

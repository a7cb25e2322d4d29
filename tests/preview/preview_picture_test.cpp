// The pure half of the preview: window number, twips, scaling.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "saver/preview/preview.h"

namespace {

using namespace orvanth::preview;

TEST(PreviewNumber, ReadFromTheFourthCharacterOn) {
  EXPECT_EQ(window_number("/p 1234"), 1234);
  EXPECT_EQ(window_number("/p:1234"), 1234);
  EXPECT_EQ(window_number("/p1234"), 234);
  EXPECT_EQ(window_number("/P    77 88"), 77);
  EXPECT_EQ(window_number("/p 12abc"), 12);
  EXPECT_EQ(window_number("/p"), 0);
  EXPECT_EQ(window_number("/p "), 0);
  EXPECT_EQ(window_number("/p x1"), 0);
  EXPECT_EQ(window_number("/p 99999999999"), 0);  // beyond 32 bits
  EXPECT_EQ(window_number("/p 10.5"), 10);        // halves to even
}

TEST(PreviewTwips, PixelsTimesTheFactorWithinSixteenBits) {
  const TwipsSize usual = twips_size(152, 112, 15, 15);
  EXPECT_EQ(usual.width, 2280);
  EXPECT_EQ(usual.height, 1680);
  const TwipsSize wide = twips_size(2185, 2184, 15, 15);
  EXPECT_EQ(wide.width, 0);  // 32775 twips does not fit
  EXPECT_EQ(wide.height, 32760);
  const TwipsSize odd = twips_size(10, 10, 12.5, 11.1);
  EXPECT_EQ(odd.width, 125);
  EXPECT_EQ(odd.height, 111);
}

TEST(PreviewScale, SameSizeIsAnExactCopy) {
  const std::vector<std::uint8_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const orvanth::art::Picture p{2, 2, 3, pixels.data()};
  EXPECT_EQ(scale_picture(p, 2, 2), pixels);
}

TEST(PreviewScale, EnlargingBlendsNeighboursSmoothly) {
  const std::vector<std::uint8_t> pixels = {0, 0, 0, 200, 100, 40};
  const orvanth::art::Picture p{2, 1, 3, pixels.data()};
  const std::vector<std::uint8_t> out = scale_picture(p, 4, 2);
  ASSERT_EQ(out.size(), 4U * 2U * 3U);
  // Row: edge, 1/4, 3/4, edge of the way from black to (200, 100, 40).
  const std::uint8_t expected_red[] = {0, 50, 150, 200};
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(out[static_cast<std::size_t>((row * 4 + x) * 3)], expected_red[x]) << x;
    }
  }
  EXPECT_EQ(out[2 * 3 + 1], 75);
}

TEST(PreviewScale, AlphaFallsOnBlackAndNoPictureIsBlack) {
  const std::vector<std::uint8_t> pixels = {200, 100, 50, 128};
  const orvanth::art::Picture p{1, 1, 4, pixels.data()};
  const std::vector<std::uint8_t> out = scale_picture(p, 1, 1);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{100, 50, 25}));
  const orvanth::art::Picture none{0, 0, 3, nullptr};
  EXPECT_EQ(scale_picture(none, 2, 1), std::vector<std::uint8_t>(6, 0));
  EXPECT_TRUE(scale_picture(p, 0, 5).empty());
}

}  // namespace

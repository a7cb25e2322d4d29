// The run's platform-free rules: the planet draw, the water picture, the
// mouse watch's distance test and the picture boxes' images.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "saver/run/run_rules.h"

namespace orvanth::run {
namespace {

std::function<double()> sequence(std::vector<double> values) {
  auto at = std::make_shared<std::size_t>(0);
  return [values = std::move(values), at] { return values[(*at)++ % values.size()]; };
}

TEST(ShufflePlanets, NineDifferentNumbersAndAnEmptyFirstEntry) {
  const auto order =
      shuffle_planets(sequence({0.5, 0.1, 0.93, 0.0, 0.7, 0.33, 0.999, 0.25, 0.61, 0.4, 0.8, 0.2}));
  EXPECT_EQ(order[0], 0);
  const std::set<int> numbers(order.begin() + 1, order.end());
  EXPECT_EQ(numbers.size(), 9U);
  EXPECT_GE(*numbers.begin(), 1);
  EXPECT_LE(*numbers.rbegin(), 12);
}

TEST(ShufflePlanets, PicksCountTheNumbersNotYetTaken) {
  // Always the first free number: 1, 2, ... 9.
  const auto low = shuffle_planets(sequence({0.0}));
  EXPECT_EQ(low, (PlanetOrderArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // Always the last free number: 12 down to 4.
  const auto high = shuffle_planets(sequence({0.9999}));
  EXPECT_EQ(high, (PlanetOrderArray{0, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
  // 0.5 of 12 picks the 7th; then 0.0 the first free ones around it.
  const auto mixed = shuffle_planets(sequence({0.5, 0.0}));
  EXPECT_EQ(mixed[1], 7);
  EXPECT_EQ(mixed[2], 1);
}

TEST(ShufflePlanets, DrawsOncePerNumber) {
  int draws = 0;
  shuffle_planets([&] {
    ++draws;
    return 0.3;
  });
  EXPECT_EQ(draws, 12);
}

TEST(ShufflePlanets, DrawsOutsideTheRangeStillGiveNineNumbers) {
  const auto order = shuffle_planets(sequence({1.0, -0.5, 7.0}));
  const std::set<int> numbers(order.begin() + 1, order.end());
  EXPECT_EQ(numbers.size(), 9U);
  EXPECT_EQ(pick_for(1.0, 5), 5);
  EXPECT_EQ(pick_for(-1.0, 5), 1);
  EXPECT_EQ(pick_for(0.2, 5), 2);
}

TEST(WaterPicture, OneToSevenInEqualSteps) {
  EXPECT_EQ(water_picture(0.0), 1);
  EXPECT_EQ(water_picture(1.0 / 7.0 - 1e-9), 1);
  EXPECT_EQ(water_picture(1.0 / 7.0 + 1e-9), 2);
  EXPECT_EQ(water_picture(0.5), 4);
  EXPECT_EQ(water_picture(0.99999), 7);
  EXPECT_EQ(water_picture(1.0), 7);
}

TEST(MouseWatch, BothAxesMustPassThirtyPixels) {
  EXPECT_FALSE(cursor_moved_far(400, 300, 600, 300));  // 200 right
  EXPECT_FALSE(cursor_moved_far(400, 300, 400, 900));  // far down only
  EXPECT_FALSE(cursor_moved_far(400, 300, 430, 330));  // exactly 30 and 30
  EXPECT_FALSE(cursor_moved_far(400, 300, 431, 330));
  EXPECT_TRUE(cursor_moved_far(400, 300, 431, 331));
  EXPECT_TRUE(cursor_moved_far(400, 300, 369, 269));  // up and left
  EXPECT_TRUE(cursor_moved_far(0, 0, 31, 31));        // unreadable start
  EXPECT_TRUE(cursor_moved_far(-32768, -32768, 32767, 32767));
}

art::Picture picture_of(const std::vector<std::uint8_t>& pixels, int w, int h, int channels) {
  return art::Picture{w, h, channels, pixels.data()};
}

TEST(PictureBox, SizeFollowsTheScreensTwips) {
  const art::Picture earth{256, 256, 3, nullptr};
  const art::Picture moon{252, 124, 3, nullptr};
  EXPECT_EQ(box_size(earth, 15, 15).width, 256);
  EXPECT_EQ(box_size(moon, 15, 15).height, 124);
  EXPECT_EQ(box_size(moon, 12, 12).width, 315);  // 120 dpi
  EXPECT_EQ(box_size(moon, 0, 0).width, 252);    // unusable twips: design size
}

TEST(PictureBox, ImageIsThePictureAtTopLeftOnGrey) {
  const std::vector<std::uint8_t> px = {10, 20, 30, 40, 50, 60};  // 2 x 1
  const auto image = box_image(picture_of(px, 2, 1, 3), {3, 2});
  ASSERT_EQ(image.size(), 18U);
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + 6), px);
  for (std::size_t i = 6; i < image.size(); ++i) {
    EXPECT_EQ(image[i], kBoxGrey) << i;
  }
}

TEST(PictureBox, SmallerBoxCutsThePicture) {
  const std::vector<std::uint8_t> px = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 2 x 2
  const auto image = box_image(picture_of(px, 2, 2, 3), {1, 2});
  EXPECT_EQ(image, (std::vector<std::uint8_t>{1, 2, 3, 7, 8, 9}));
}

TEST(PictureBox, AlphaLiesOverTheGrey) {
  const std::vector<std::uint8_t> px = {255, 0, 0, 0, 255, 0, 0, 255};  // clear, opaque
  const auto image = box_image(picture_of(px, 2, 1, 4), {2, 1});
  EXPECT_EQ(image, (std::vector<std::uint8_t>{128, 128, 128, 255, 0, 0}));
}

}  // namespace
}  // namespace orvanth::run

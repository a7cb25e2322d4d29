// The property store's default rules and the face geometry, without Qt.
#include <gtest/gtest.h>

#include "saver/button/button_face.h"
#include "saver/button/property_bag.h"

namespace {

using orvanth::FontSpec;
using orvanth::PropertyBag;
using orvanth::PropertyValue;
namespace face = orvanth::button_face;

TEST(PropertyBagTest, ValueEqualToDefaultIsLeftOutAndDefaultStandsIn) {
  PropertyBag bag;
  bag.write_property("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.contains("Caption"));
  EXPECT_EQ(property_text(bag.read_property("Caption", std::string("Command1"))), "Command1");
  bag.write_property("Caption", std::string("設定"), std::string("Command"));
  EXPECT_EQ(property_text(bag.read_property("Caption", std::string("Command1"))), "設定");
  // Writing the default later removes the stored value again.
  bag.write_property("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.contains("Caption"));
}

TEST(PropertyBagTest, StringDefaultsCompareEqualToNumbers) {
  PropertyBag bag;
  bag.write_property("FirstRun", std::int64_t{1}, std::string("1"));
  bag.write_property("FontColour", std::int64_t{0}, std::string("0"));
  bag.write_property("Visible", std::int64_t{1}, std::string("1"));
  EXPECT_EQ(bag.size(), 0U);
  bag.write_property("Visible", std::int64_t{0}, std::string("1"));
  bag.write_property("FontColour", std::int64_t{0xFF}, std::string("0"));
  EXPECT_EQ(property_number(bag.read_property("Visible", std::string("1"))), 0);
  EXPECT_EQ(property_number(bag.read_property("FontColour", std::string("0"))), 0xFF);
  EXPECT_EQ(property_number(bag.read_property("FirstRun", std::string("1"))), 1);
  EXPECT_TRUE(orvanth::property_values_equal(std::int64_t{-1}, std::string(" -1 ")));
  EXPECT_FALSE(orvanth::property_values_equal(std::int64_t{1}, std::string("1x")));
  EXPECT_FALSE(orvanth::property_values_equal(std::int64_t{0}, std::string("")));
  EXPECT_FALSE(orvanth::property_values_equal(std::string("Command"), std::string("Command1")));
}

TEST(PropertyBagTest, FontsCompareWhole) {
  FontSpec ambient{"IPAPGothic", 9.75, 400, 128};
  PropertyBag bag(ambient);
  bag.write_property("Font", ambient, bag.ambient_font());
  EXPECT_FALSE(bag.contains("Font"));
  FontSpec bold = ambient;
  bold.bold = true;
  bag.write_property("Font", bold, bag.ambient_font());
  EXPECT_EQ(std::get<FontSpec>(bag.read_property("Font", ambient)), bold);
  EXPECT_FALSE(orvanth::property_values_equal(PropertyValue{ambient}, std::string("IPAPGothic")));
}

TEST(ButtonFaceTest, GradientConstantsGiveHighByteChannels) {
  face::VertexColour light = face::vertex_colour(face::kLightConstant);
  face::VertexColour dark = face::vertex_colour(face::kDarkConstant);
  EXPECT_EQ(light.red, 0xFF00);
  EXPECT_EQ(light.green, 0xFF00);
  EXPECT_EQ(light.blue, 0xFF00);
  EXPECT_EQ(dark.red, 0xC600);
  EXPECT_EQ(dark.green, 0xC500);
  EXPECT_EQ(dark.blue, 0xD700);
  EXPECT_EQ(dark.alpha, 0);
  // Fewer than six digits keep red first: &HFF00 is green.
  face::VertexColour green = face::vertex_colour("&HFF00");
  EXPECT_EQ(green.red, 0);
  EXPECT_EQ(green.green, 0xFF00);
}

TEST(ButtonFaceTest, CaptionSitsTenTwipsAboveTheMiddle) {
  EXPECT_DOUBLE_EQ(face::caption_top(375), 80.0);
  EXPECT_DOUBLE_EQ(face::caption_top(420), 102.5);
  EXPECT_DOUBLE_EQ(face::caption_top(315), 50.0);
}

TEST(ButtonFaceTest, SlicesOfTheUsualButtonInPixels) {
  // 1095 x 375 twips is the dialog's "設定" button: 73 x 25 pixels.
  face::Slices s = face::frame_slices(1095, 375);
  const face::Rect dest[8] = {{0, 0, 4, 4},   {4, 0, 65, 4},  {69, 0, 4, 4}, {69, 4, 4, 17},
                              {69, 21, 4, 4}, {4, 21, 65, 4}, {0, 21, 4, 4}, {0, 4, 4, 17}};
  const face::Rect source[8] = {{0, 0, 4, 4},   {4, 0, 56, 4},  {60, 0, 4, 4}, {60, 4, 4, 17},
                                {60, 21, 4, 4}, {4, 21, 56, 4}, {0, 21, 4, 4}, {0, 4, 4, 17}};
  // frame_pieces gives the same in pixels of a 15-twip screen.
  const std::vector<face::Piece> pieces = face::frame_pieces(73, 25, 15.0, 15.0);
  ASSERT_EQ(pieces.size(), 8U);
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(s.valid[i]);
    EXPECT_EQ(face::to_pixels(s.pieces[i].dest), dest[i]);
    EXPECT_EQ(face::to_pixels(s.pieces[i].source), source[i]);
    EXPECT_EQ(pieces[i].dest, dest[i]);
    EXPECT_EQ(pieces[i].source, source[i]);
  }
}

TEST(ButtonFaceTest, PiecesTileTheFrameAndLeaveTheMiddle) {
  const int w = 117;
  const int h = 28;
  face::Slices s = face::frame_slices(w * 15, h * 15);
  std::vector<int> cover(static_cast<std::size_t>(w * h), 0);
  for (const face::Piece& p : s.pieces) {
    face::Rect r = face::to_pixels(p.dest);
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) ++cover[static_cast<std::size_t>(y * w + x)];
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool ring = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
      ASSERT_EQ(cover[static_cast<std::size_t>(y * w + x)], ring ? 1 : 0) << x << "," << y;
    }
  }
}

TEST(ButtonFaceTest, OverflowingOrTooSmallPiecesAreSkipped) {
  face::Slices wide = face::frame_slices(40000, 375);
  for (bool v : wide.valid) EXPECT_FALSE(v);
  face::Slices tiny = face::frame_slices(90, 375);
  EXPECT_TRUE(tiny.valid[0]);
  EXPECT_FALSE(tiny.valid[1]) << "negative middle width";
  EXPECT_FALSE(tiny.valid[5]);
  EXPECT_TRUE(tiny.valid[3]);
}

}  // namespace

// The dialog's widget-free rules: choice, repeat texts, placement, gradients.
#include <gtest/gtest.h>

#include <algorithm>

#include "saver/dialog/dialog_choice.h"

namespace {

using orvanth::dialog::Marker;
namespace dialog = orvanth::dialog;

TEST(DialogChoice, EachTypeChoosesItsMarkerAndEnablesOnlyItsControl) {
  for (std::int16_t type = 0; type <= 2; ++type) {
    const dialog::ChoiceView view = dialog::choice_view(type);
    EXPECT_EQ(std::count(view.markers.begin(), view.markers.end(), Marker::kChosen), 1) << type;
    EXPECT_EQ(view.markers[static_cast<std::size_t>(type)], Marker::kChosen) << type;
    EXPECT_EQ(view.repeat_enabled, type == 1) << type;
    EXPECT_EQ(view.file_button_enabled, type == 2) << type;
  }
}

TEST(DialogChoice, TypesFromAHandEditedFileChooseNothing) {
  for (const std::int16_t type : {std::int16_t{-1}, std::int16_t{3}, std::int16_t{5},
                                  std::int16_t{32767}, std::int16_t{-32768}}) {
    const dialog::ChoiceView view = dialog::choice_view(type);
    EXPECT_EQ(std::count(view.markers.begin(), view.markers.end(), Marker::kChosen), 0) << type;
    EXPECT_FALSE(view.repeat_enabled) << type;
    EXPECT_FALSE(view.file_button_enabled) << type;
  }
}

TEST(DialogChoice, RepeatListHoldsEmptyThenOneToThirty) {
  const std::vector<std::string> entries = dialog::repeat_entries();
  ASSERT_EQ(entries.size(), 31U);
  EXPECT_EQ(entries[0], "");
  EXPECT_EQ(entries[1], "1");
  EXPECT_EQ(entries[9], "9");
  EXPECT_EQ(entries[10], "10");
  EXPECT_EQ(entries[30], "30");
  EXPECT_EQ(dialog::repeat_text(0), "");
  EXPECT_EQ(dialog::repeat_text(45), "45");
  EXPECT_EQ(dialog::repeat_text(-3), "-3");
}

TEST(DialogChoice, RepeatTextsConvertRoundingHalvesToEven) {
  EXPECT_EQ(dialog::repeat_from_text("7"), 7);
  EXPECT_EQ(dialog::repeat_from_text(" 12 "), 12);
  EXPECT_EQ(dialog::repeat_from_text("45"), 45);
  EXPECT_EQ(dialog::repeat_from_text("2.5"), 2);
  EXPECT_EQ(dialog::repeat_from_text("3.5"), 4);
  EXPECT_EQ(dialog::repeat_from_text("2.6"), 3);
  EXPECT_EQ(dialog::repeat_from_text("-2.5"), -2);
  EXPECT_EQ(dialog::repeat_from_text("-7"), -7);
  EXPECT_EQ(dialog::repeat_from_text("1E1"), 10);
}

TEST(DialogChoice, RepeatTextsThatAreNoNumberOrTooLargeGiveZero) {
  for (const char* text : {"", " ", "word", "7a", "a7", "1.2.3", "--1"}) {
    EXPECT_EQ(dialog::repeat_from_text(text), 0) << text;
  }
  EXPECT_EQ(dialog::repeat_from_text("32767"), 32767);
  EXPECT_EQ(dialog::repeat_from_text("-32768"), -32768);
  for (const char* text : {"32768", "-32769", "99999", "1E10", "32767.5"}) {
    EXPECT_EQ(dialog::repeat_from_text(text), 0) << text;
  }
  EXPECT_EQ(dialog::repeat_from_text("32766.5"), 32766);
}

TEST(DialogChoice, PlacementCentresAcrossAndAThirdDown) {
  // 1280 x 1024 pixels at 15 twips per pixel, the 7185 x 3780 twips form.
  const dialog::Placement p = dialog::placement(19200, 15360, 7185, 3780);
  EXPECT_EQ(p.left, 6007);  // 12015 / 2, truncated
  EXPECT_EQ(p.top, 3860);   // 11580 / 3
  // Differences are rounded (halves to even) before the truncating division.
  EXPECT_EQ(dialog::placement(1000.5, 3000, 0, 1.5).left, 500);
  EXPECT_EQ(dialog::placement(1003.5, 3000, 0, 0).left, 502);
  EXPECT_EQ(dialog::placement(0, 2.5, 0, 0).top, 0);
  EXPECT_EQ(dialog::placement(0, 3.5, 0, 0).top, 1);
}

TEST(DialogChoice, ADialogLargerThanTheScreenKeepsToItsTopLeftCorner) {
  const dialog::Placement p = dialog::placement(6000, 3000, 7185, 3780);
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 0);
}

TEST(DialogChoice, GradientLevelIsDarkAtTheEdgesAndBrightestInTheMiddle) {
  EXPECT_EQ(dialog::gradient_level(0, 3780), 0);
  EXPECT_EQ(dialog::gradient_level(1890, 3780), 220);
  EXPECT_LE(dialog::gradient_level(3780, 3780), 1);
  EXPECT_EQ(dialog::gradient_level(100, 0), 0);
}

TEST(DialogChoice, GradientRowsTakeTheLastLineOfEachRow) {
  const std::vector<int> rows = dialog::gradient_rows(3780, 15, 252);
  ASSERT_EQ(rows.size(), 252U);
  // Row 0 is covered last by the line at twip 14.
  EXPECT_EQ(rows[0], dialog::gradient_level(14, 3780));
  EXPECT_EQ(rows[251], dialog::gradient_level(3779, 3780));
  EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), 220);
  EXPECT_LT(rows[0], 10);
  EXPECT_LT(rows[251], 10);
  // Rising to the middle, then falling; nearly symmetric.
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.begin() + 120));
  EXPECT_TRUE(std::is_sorted(rows.rbegin(), rows.rbegin() + 120));
  for (std::size_t y = 0; y < 126; ++y) {
    EXPECT_NEAR(rows[y], rows[251 - y], 3) << y;
  }
}

TEST(DialogChoice, GradientRowsOfAnEmptyAreaAreEmpty) {
  EXPECT_TRUE(dialog::gradient_rows(3780, 15, 0).empty());
  EXPECT_EQ(dialog::gradient_rows(3780, 0, 4), std::vector<int>(4, 0));
}

}  // namespace

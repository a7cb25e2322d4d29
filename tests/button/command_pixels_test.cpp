// Pixels a real Command paints: frame from the state's picture, gradient in
// the middle, only the caption when the background is transparent.
#include <QLabel>

#include "tests/button/command_fixture.h"
#include "tests/button/face_figures.h"

namespace {

using orvanth::ButtonPicture;
using orvanth::test::CommandForm;
using orvanth::test::kFormColour;
using orvanth::test::move_to;
namespace face = orvanth::test::face;

face::Pixels face_of(const Command* c) {
  return [c](int x, int y) {
    return static_cast<std::uint32_t>(c->face_image().pixel(x, y)) & 0xFFFFFFU;
  };
}

void expect_frame_from(const Command* c, ButtonPicture which) {
  EXPECT_EQ(face::frame_mismatch(face_of(c), c->width(), c->height(), which), "")
      << static_cast<int>(which);
}

void expect_gradient_middle(const Command* c, bool reversed) {
  const int w = c->width();
  const int h = c->height();
  EXPECT_EQ(face::gradient_mismatch(face_of(c), 4, w - 4, 4, h - 4, h, reversed), "");
}

bool near(QRgb got, std::uint32_t want) { return face::near(got & 0xFFFFFFU, want); }

using CommandPixelsTest = CommandForm;

TEST_F(CommandPixelsTest, FrameComesFromThePictureOfEachState) {
  expect_frame_from(first_, ButtonPicture::Normal);
  move_to(first_, inside(first_));
  expect_frame_from(first_, ButtonPicture::HighLight);
  QTest::mousePress(first_, Qt::LeftButton, {}, inside(first_));
  expect_frame_from(first_, ButtonPicture::Pressed);
  QTest::mouseRelease(first_, Qt::LeftButton, {}, inside(first_));
  expect_frame_from(first_, ButtonPicture::HighLightSelect);
  QTest::keyClick(first_, Qt::Key_Tab);
  expect_frame_from(second_, ButtonPicture::Selected);
  first_->set_enabled(0);
  expect_frame_from(first_, ButtonPicture::Disable);
}

TEST_F(CommandPixelsTest, MiddleShowsTheGradientOfTheState) {
  expect_gradient_middle(first_, false);
  move_to(first_, inside(first_));  // hover: dark on top
  expect_gradient_middle(first_, true);
  first_->setFocus(Qt::TabFocusReason);  // 2 -> 4 keeps dark on top
  expect_frame_from(first_, ButtonPicture::Pressed);
  expect_gradient_middle(first_, true);
}

TEST_F(CommandPixelsTest, GradientTopAndBottomRows) {
  const int h = first_->height();
  for (bool hover : {false, true}) {
    if (hover) move_to(first_, inside(first_));
    first_->FillGradient();
    const std::uint32_t top = hover ? face::kDark : face::kLight;
    const std::uint32_t bottom = hover ? face::kLight : face::kDark;
    for (int x = 0; x < first_->width(); ++x) {
      ASSERT_EQ(face_of(first_)(x, 0), top) << x;
      ASSERT_EQ(face_of(first_)(x, h - 1), bottom) << x;
    }
    expect_gradient_middle(first_, hover);
  }
}

TEST_F(CommandPixelsTest, TransparentBackgroundLeavesOnlyTheCaption) {
  const QRect label = first_->caption_label()->geometry();
  auto shown = [&] { return form_.grab(first_->geometry()).toImage(); };
  const QPoint beside_text(5, first_->height() / 2);
  ASSERT_TRUE(near(shown().pixel(beside_text),
                   face::gradient_at(beside_text.y(), first_->height(), false)));
  first_->set_visible(0);
  EXPECT_EQ(first_->Visible(), 0);
  QImage img = shown();
  int caption_pixels = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const bool is_form = (img.pixel(x, y) | 0xFF000000U) == kFormColour.rgb();
      if (!label.contains(x, y)) {
        ASSERT_TRUE(is_form) << x << "," << y;
      } else if (!is_form) {
        ++caption_pixels;
      }
    }
  }
  EXPECT_GT(caption_pixels, 20) << "the caption is still drawn";
  first_->set_visible(1);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Normal);
  EXPECT_TRUE(near(shown().pixel(beside_text),
                   face::gradient_at(beside_text.y(), first_->height(), false)));
}

}  // namespace

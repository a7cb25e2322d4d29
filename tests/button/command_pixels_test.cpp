// Pixels a real Command paints: frame from the state's picture, gradient in
// the middle, only the caption when the background is transparent.
#include <QLabel>
#include <set>

#include "saver/art/resources.h"
#include "tests/button/command_fixture.h"

namespace {

using orvanth::ButtonPicture;
using orvanth::test::CommandForm;
using orvanth::test::move_to;
using orvanth::test::kFormColour;

QRgb picture_pixel(const orvanth::art::Picture& p, int x, int y) {
  const std::uint8_t* px = p.pixels + (static_cast<std::ptrdiff_t>(y) * p.width + x) * p.channels;
  return qRgb(px[0], px[1], px[2]);
}

QRgb face_pixel(const Command* c, int x, int y) { return c->FaceImage().pixel(x, y) | 0xFF000000U; }

// The expected gradient colour of a face row, top colour to bottom colour.
QColor gradient_at(int y, int h, bool reversed) {
  QColor top(0xFF, 0xFF, 0xFF);
  QColor bottom(0xC6, 0xC5, 0xD7);
  if (reversed) std::swap(top, bottom);
  const double t = static_cast<double>(y) / (h - 1);
  auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return {mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
          mix(top.blue(), bottom.blue())};
}

bool near(QRgb got, const QColor& want, int tolerance = 2) {
  return std::abs(qRed(got) - want.red()) <= tolerance &&
         std::abs(qGreen(got) - want.green()) <= tolerance &&
         std::abs(qBlue(got) - want.blue()) <= tolerance;
}

// Corners copied unscaled; edge pixels stretched from the same ring of the
// picture; the 4-pixel ring of the face holds nothing else.
void expect_frame_from(const Command* c, ButtonPicture which) {
  SCOPED_TRACE(static_cast<int>(which));
  const orvanth::art::Picture p = orvanth::art::ButtonStatePicture(which);
  ASSERT_EQ(p.width, 64);
  ASSERT_EQ(p.height, 25);
  const int w = c->width();
  const int h = c->height();
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 4; ++i) {
      ASSERT_EQ(face_pixel(c, i, j), picture_pixel(p, i, j));
      ASSERT_EQ(face_pixel(c, w - 4 + i, j), picture_pixel(p, 60 + i, j));
      ASSERT_EQ(face_pixel(c, w - 4 + i, h - 4 + j), picture_pixel(p, 60 + i, 21 + j));
      ASSERT_EQ(face_pixel(c, i, h - 4 + j), picture_pixel(p, i, 21 + j));
    }
  }
  for (int ring = 0; ring < 4; ++ring) {
    std::set<QRgb> top, bottom, left, right;
    for (int x = 4; x < 60; ++x) {
      top.insert(picture_pixel(p, x, ring));
      bottom.insert(picture_pixel(p, x, 21 + ring));
    }
    for (int y = 4; y < 21; ++y) {
      left.insert(picture_pixel(p, ring, y));
      right.insert(picture_pixel(p, 60 + ring, y));
    }
    for (int x = 4; x < w - 4; ++x) {
      ASSERT_TRUE(top.count(face_pixel(c, x, ring))) << "top " << x << "," << ring;
      ASSERT_TRUE(bottom.count(face_pixel(c, x, h - 4 + ring))) << "bottom " << x;
    }
    for (int y = 4; y < h - 4; ++y) {
      ASSERT_TRUE(left.count(face_pixel(c, ring, y))) << "left " << y;
      ASSERT_TRUE(right.count(face_pixel(c, w - 4 + ring, y))) << "right " << y;
    }
  }
}

void expect_gradient_middle(const Command* c, bool reversed) {
  for (int y = 4; y < c->height() - 4; ++y) {
    for (int x = 4; x < c->width() - 4; ++x) {
      ASSERT_TRUE(near(face_pixel(c, x, y), gradient_at(y, c->height(), reversed)))
          << x << "," << y << " " << std::hex << face_pixel(c, x, y);
    }
  }
}


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
  first_->SetEnabled(0);
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
    const QColor top = hover ? QColor(0xC6, 0xC5, 0xD7) : QColor(0xFF, 0xFF, 0xFF);
    const QColor bottom = hover ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xC6, 0xC5, 0xD7);
    for (int x = 0; x < first_->width(); ++x) {
      ASSERT_EQ(face_pixel(first_, x, 0), top.rgb()) << x;
      ASSERT_EQ(face_pixel(first_, x, h - 1), bottom.rgb()) << x;
    }
    expect_gradient_middle(first_, hover);
  }
}

TEST_F(CommandPixelsTest, TransparentBackgroundLeavesOnlyTheCaption) {
  const QRect label = first_->caption_label()->geometry();
  auto shown = [&] { return form_.grab(first_->geometry()).toImage(); };
  const QPoint beside_text(5, first_->height() / 2);
  ASSERT_TRUE(near(shown().pixel(beside_text), gradient_at(beside_text.y(), first_->height(), false)));
  first_->SetVisible(0);
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
  first_->SetVisible(1);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Normal);
  EXPECT_TRUE(near(shown().pixel(beside_text), gradient_at(beside_text.y(), first_->height(), false)));
}

}  // namespace

// The real Command widget driven by synthetic input on the offscreen platform.
#include <QLabel>
#include <QSignalSpy>

#include "tests/button/command_fixture.h"

namespace {

using orvanth::ButtonPicture;
using orvanth::ButtonStateMachine;
using orvanth::PropertyBag;
using orvanth::test::CommandForm;
using orvanth::test::move_to;
using orvanth::test::wait_for;

using CommandEventsTest = CommandForm;

TEST_F(CommandEventsTest, HoverClickAndLeaveThroughRealEvents) {
  QSignalSpy clicks(first_, &Command::Click);
  move_to(first_, inside(first_));
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kHighLight);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::HighLight);
  QTest::mousePress(first_, Qt::LeftButton, {}, inside(first_));
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kHighLightSelect);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Pressed);
  QTest::mouseRelease(first_, Qt::LeftButton, {}, inside(first_));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::HighLightSelect);
  // The next tick after the pointer left turns 4 into 3.
  point_at_form();
  EXPECT_TRUE(
      wait_for([&] { return first_->machine().button_state() == ButtonStateMachine::kSelected; }));
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Selected);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(CommandEventsTest, DragOffUntilTheTickThenReleaseRaisesNothing) {
  QSignalSpy clicks(first_, &Command::Click);
  move_to(first_, inside(first_));
  QTest::mousePress(first_, Qt::LeftButton, {}, inside(first_));
  const QPoint off(first_->width() + 40, first_->height() / 2);
  move_to(first_, off);
  ASSERT_TRUE(
      wait_for([&] { return first_->machine().button_state() == ButtonStateMachine::kSelected; }));
  // Back over the face while still held: no highlight.
  move_to(first_, inside(first_));
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kSelected);
  move_to(first_, off);
  QTest::mouseRelease(first_, Qt::LeftButton, {}, off);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Selected);
}

TEST_F(CommandEventsTest, RightButtonClicksWithoutPressedFace) {
  QSignalSpy clicks(first_, &Command::Click);
  first_->setFocus(Qt::TabFocusReason);
  move_to(first_, inside(first_));
  ASSERT_EQ(first_->shown_picture(), ButtonPicture::HighLightSelect);
  QTest::mousePress(first_, Qt::RightButton, {}, inside(first_));
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::HighLightSelect);
  EXPECT_FALSE(first_->machine().mouse_held());
  QTest::mouseRelease(first_, Qt::RightButton, {}, inside(first_));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(CommandEventsTest, TabFocusSelectsAndKeysDoNothing) {
  QSignalSpy clicks(second_, &Command::Click);
  first_->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(first_->hasFocus());
  QTest::keyClick(first_, Qt::Key_Tab);
  ASSERT_TRUE(second_->hasFocus());
  EXPECT_EQ(second_->machine().button_state(), ButtonStateMachine::kSelected);
  EXPECT_EQ(second_->shown_picture(), ButtonPicture::Selected);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Normal);
  QTest::keyClick(second_, Qt::Key_Space);
  QTest::keyClick(second_, Qt::Key_Return);
  QTest::keyClick(second_, Qt::Key_Enter);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(second_->machine().button_state(), ButtonStateMachine::kSelected);
}

TEST_F(CommandEventsTest, PointerOverCaptionCountsAsOverTheControl) {
  const QLabel* label = first_->caption_label();
  const QPoint on_caption = label->geometry().center();
  move_to(first_, on_caption);
  ASSERT_EQ(first_->machine().button_state(), ButtonStateMachine::kHighLight);
  first_->TmrMouse_Timer();
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kHighLight);
  // Over the neighbouring button is outside this one.
  move_to(second_, inside(second_));
  first_->TmrMouse_Timer();
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kNormal);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Normal);
}

TEST_F(CommandEventsTest, DisabledButtonIgnoresInputAndGreysItsCaption) {
  QSignalSpy clicks(first_, &Command::Click);
  QSignalSpy changes(first_, &Command::property_changed);
  first_->set_enabled(0);
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Disable);
  const QLabel* label = first_->caption_label();
  EXPECT_FALSE(label->isEnabled());
  EXPECT_NE(label->palette().color(QPalette::Disabled, QPalette::WindowText),
            label->palette().color(QPalette::Active, QPalette::WindowText));
  move_to(first_, inside(first_));
  QTest::mouseClick(first_, Qt::LeftButton, {}, inside(first_));
  QTest::mouseClick(first_, Qt::RightButton, {}, inside(first_));
  first_->setFocus(Qt::TabFocusReason);
  first_->TmrMouse_Timer();
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(first_->machine().button_state(), ButtonStateMachine::kNormal);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Disable);
  first_->resize(first_->width() + 2, first_->height());
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Disable) << "resize repaints disabled";
  EXPECT_EQ(first_->Enabled(), 0);
  first_->set_enabled(-1);
  EXPECT_EQ(first_->shown_picture(), ButtonPicture::Normal);
  EXPECT_TRUE(label->isEnabled());
}

TEST(CommandLifecycleTest, TimerAndHoverWaitForInitialize) {
  QWidget form;
  form.resize(200, 60);
  auto* c = new Command(&form);
  c->setGeometry(10, 10, 73, 25);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(c->Enabled(), -1) << "a new control becomes enabled when first asked";
  EXPECT_FALSE(c->timer_running());
  orvanth::test::move_to(c, QPoint(30, 20));
  EXPECT_EQ(c->machine().button_state(), 0);
  c->Initialize();
  EXPECT_TRUE(c->timer_running());
  EXPECT_EQ(c->machine().button_state(), ButtonStateMachine::kNormal);
  orvanth::test::move_to(c, QPoint(31, 20));
  EXPECT_EQ(c->machine().button_state(), ButtonStateMachine::kHighLight);
}

// The keys and defaults are the core's (command_core_test); here the Qt
// types and the label carry them.
TEST(CommandPropertiesTest, StoredCaptionFontAndColourReachTheLabel) {
  Command c;
  QSignalSpy changes(&c, &Command::property_changed);
  c.set_caption(QString::fromUtf8("その他の作品"));
  QFont bold = Command::design_font();
  bold.setBold(true);
  c.set_font(bold);
  c.set_font_colour(0x0000FF);
  ASSERT_EQ(changes.count(), 3);
  EXPECT_EQ(changes.at(2).at(0).toString(), QStringLiteral("FontColour"));
  PropertyBag bag;
  c.write_properties(bag);
  Command loaded;
  loaded.read_properties(bag);
  EXPECT_EQ(loaded.Caption(), QString::fromUtf8("その他の作品"));
  EXPECT_EQ(loaded.caption_label()->text(), loaded.Caption());
  EXPECT_TRUE(loaded.Font().bold());
  EXPECT_DOUBLE_EQ(loaded.Font().pointSizeF(), 9.75);
  EXPECT_EQ(loaded.caption_label()->palette().color(QPalette::Active, QPalette::WindowText),
            QColor(255, 0, 0));
}

TEST(CommandPropertiesTest, CaptionOfUsualButtonSitsAt80Twips) {
  Command c;
  c.resize(1095 / 15, 375 / 15);
  c.show();  // a hidden widget gets its resize event when shown
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
  const QLabel* label = c.caption_label();
  EXPECT_EQ(label->y(), static_cast<int>(std::lround(80.0 / 15.0)));
  EXPECT_EQ(label->height(), 195 / 15) << "the label keeps its own height";
  EXPECT_EQ(label->x(), 0);
  EXPECT_EQ(label->width(), c.width());
  c.resize(c.width(), 420 / 15);
  EXPECT_EQ(label->y(), static_cast<int>(std::lround(102.5 / 15.0)));
}

}  // namespace

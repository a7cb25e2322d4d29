// The command button's state machine, driven without a window.
#include <gtest/gtest.h>

#include "saver/button/button_state.h"

namespace {

using orvanth::ButtonPicture;
using orvanth::ButtonStateMachine;
using orvanth::MouseButton;
using orvanth::Reaction;

constexpr std::uint8_t kNormal = ButtonStateMachine::kNormal;
constexpr std::uint8_t kHighLight = ButtonStateMachine::kHighLight;
constexpr std::uint8_t kSelected = ButtonStateMachine::kSelected;
constexpr std::uint8_t kHighLightSelect = ButtonStateMachine::kHighLightSelect;

// An enabled, initialised button, as the dialog leaves it after loading.
ButtonStateMachine ready_button() {
  ButtonStateMachine m;
  std::int16_t enabled = 0;
  m.read_enabled(enabled);
  m.Initialize();
  return m;
}

ButtonPicture painted(const Reaction& r) {
  EXPECT_TRUE(r.paint.has_value());
  return r.paint ? r.paint->picture : ButtonPicture::Disable;
}

TEST(ButtonStateTest, FreshInstanceTakesFirstRunDefaultsOnFirstRead) {
  ButtonStateMachine m;
  EXPECT_EQ(m.button_state(), 0);
  EXPECT_EQ(m.enabled(), 0);
  EXPECT_EQ(m.first_run(), 0);
  std::int16_t enabled = 0;
  Reaction r = m.read_enabled(enabled);
  EXPECT_EQ(enabled, -1);
  EXPECT_EQ(m.first_run(), 1);
  EXPECT_EQ(painted(r), ButtonPicture::Normal);
  EXPECT_EQ(r.caption_enabled, true);
  EXPECT_EQ(m.button_state(), 0) << "reading Enabled leaves the state alone";
}

TEST(ButtonStateTest, InitializeStartsTimerWithoutPainting) {
  ButtonStateMachine m;
  Reaction r = m.Initialize();
  EXPECT_EQ(m.button_state(), kNormal);
  EXPECT_TRUE(r.start_timer);
  EXPECT_FALSE(r.paint.has_value());
}

TEST(ButtonStateTest, TypicalClickWalksThroughTheStates) {
  ButtonStateMachine m = ready_button();
  EXPECT_EQ(painted(m.pointer_move()), ButtonPicture::HighLight);
  EXPECT_EQ(m.button_state(), kHighLight);
  EXPECT_EQ(painted(m.focus_in()), ButtonPicture::Pressed);
  EXPECT_EQ(m.button_state(), kHighLightSelect);
  EXPECT_EQ(painted(m.button_down(MouseButton::kLeft)), ButtonPicture::Pressed);
  EXPECT_TRUE(m.mouse_held());
  Reaction up = m.button_up(MouseButton::kLeft);
  EXPECT_EQ(painted(up), ButtonPicture::HighLightSelect);
  EXPECT_TRUE(up.click);
  EXPECT_FALSE(m.mouse_held());
  EXPECT_FALSE(m.timer_tick(true).paint.has_value()) << "pointer still over: no change";
  EXPECT_EQ(painted(m.timer_tick(false)), ButtonPicture::Selected);
  EXPECT_EQ(m.button_state(), kSelected);
  EXPECT_EQ(painted(m.pointer_move()), ButtonPicture::HighLightSelect);
  EXPECT_EQ(painted(m.focus_out()), ButtonPicture::Normal);
  EXPECT_EQ(m.button_state(), kNormal);
  EXPECT_EQ(m.focus_out().paint_count, 0) << "focus leaving in state 1 repaints nothing";
}

TEST(ButtonStateTest, DragOffAndTickThenReleaseGivesSelectedWithoutClick) {
  ButtonStateMachine m = ready_button();
  m.pointer_move();
  m.focus_in();
  m.button_down(MouseButton::kLeft);
  EXPECT_EQ(painted(m.timer_tick(false)), ButtonPicture::Selected);
  // Dragging back in while held does not highlight again.
  EXPECT_FALSE(m.pointer_move().paint.has_value());
  EXPECT_EQ(m.button_state(), kSelected);
  Reaction up = m.button_up(MouseButton::kLeft);
  EXPECT_FALSE(up.click);
  EXPECT_FALSE(up.paint.has_value()) << "no repaint on release in state 3";
  EXPECT_EQ(m.button_state(), kSelected);
}

TEST(ButtonStateTest, ReleaseBeforeTheTickStillClicks) {
  ButtonStateMachine m = ready_button();
  m.pointer_move();
  m.focus_in();
  m.button_down(MouseButton::kLeft);
  Reaction up = m.button_up(MouseButton::kLeft);  // dragged off, no tick yet
  EXPECT_TRUE(up.click);
  EXPECT_EQ(m.button_state(), kHighLightSelect);
}

TEST(ButtonStateTest, RightAndMiddleButtonsClickWithoutPressedFaceUnlessSelected) {
  for (MouseButton b : {MouseButton::kRight, MouseButton::kMiddle}) {
    ButtonStateMachine m = ready_button();
    m.pointer_move();
    m.focus_in();
    Reaction down = m.button_down(b);
    EXPECT_FALSE(down.paint.has_value());
    EXPECT_FALSE(m.mouse_held());
    Reaction up = m.button_up(b);
    EXPECT_TRUE(up.click);
    EXPECT_FALSE(up.paint.has_value());
    m.timer_tick(false);
    ASSERT_EQ(m.button_state(), kSelected);
    EXPECT_FALSE(m.button_up(b).click) << "no Click in state 3";
  }
}

TEST(ButtonStateTest, LeftReleaseInHoverPaintsNormalAndKeepsState) {
  ButtonStateMachine m = ready_button();
  m.pointer_move();
  m.button_down(MouseButton::kLeft);
  Reaction up = m.button_up(MouseButton::kLeft);
  EXPECT_EQ(painted(up), ButtonPicture::Normal);
  EXPECT_TRUE(up.click);
  EXPECT_EQ(m.button_state(), kHighLight);
  EXPECT_FALSE(m.pointer_move().paint.has_value()) << "face stays Normal while hovering";
  m.timer_tick(false);
  EXPECT_EQ(painted(m.pointer_move()), ButtonPicture::HighLight);
}

TEST(ButtonStateTest, HighLightSelectKeepsTheGradientOfItsWayIn) {
  // From hover by focus: dark on top, as state 2 had it.
  ButtonStateMachine a = ready_button();
  a.pointer_move();
  EXPECT_TRUE(a.hover_gradient());
  Reaction r = a.focus_in();
  ASSERT_TRUE(r.paint);
  EXPECT_TRUE(r.paint->hover_gradient);
  // Back over a focused button: light on top, as state 3 had it.
  ButtonStateMachine b = ready_button();
  b.focus_in();
  Reaction s = b.pointer_move();
  ASSERT_TRUE(s.paint);
  EXPECT_EQ(s.paint->picture, ButtonPicture::HighLightSelect);
  EXPECT_FALSE(s.paint->hover_gradient);
}

TEST(ButtonStateTest, NothingReactsWhileDisabled) {
  ButtonStateMachine m = ready_button();
  m.pointer_move();
  Reaction off = m.write_enabled(0);
  EXPECT_EQ(painted(off), ButtonPicture::Disable);
  EXPECT_EQ(off.caption_enabled, false);
  EXPECT_EQ(m.button_state(), kHighLight) << "disabling keeps the state";
  std::vector<Reaction> all = {m.pointer_move(),
                               m.focus_in(),
                               m.button_down(MouseButton::kLeft),
                               m.button_up(MouseButton::kLeft),
                               m.button_up(MouseButton::kRight),
                               m.timer_tick(false),
                               m.focus_out(),
                               m.LeaveHover(),
                               m.ResetFace()};
  for (const Reaction& r : all) {
    EXPECT_FALSE(r.paint.has_value());
    EXPECT_FALSE(r.click);
  }
  EXPECT_EQ(m.button_state(), kHighLight);
  EXPECT_FALSE(m.mouse_held());
  // Resize still repaints the disabled face; enabling paints Normal whatever the state.
  EXPECT_EQ(painted(m.resize()), ButtonPicture::Disable);
  EXPECT_EQ(painted(m.write_enabled(1)), ButtonPicture::Normal);
  EXPECT_EQ(m.enabled(), -1) << "any non-zero value is stored as true";
  EXPECT_EQ(m.button_state(), kHighLight);
}

TEST(ButtonStateTest, BeforeInitializeOnlyFocusChangesTheState) {
  ButtonStateMachine m;
  std::int16_t enabled = 0;
  m.read_enabled(enabled);
  EXPECT_FALSE(m.pointer_move().paint.has_value());
  EXPECT_FALSE(m.timer_tick(false).paint.has_value());
  EXPECT_EQ(m.button_state(), 0);
  EXPECT_EQ(painted(m.focus_in()), ButtonPicture::Selected);
  EXPECT_EQ(m.button_state(), kSelected);
}

TEST(ButtonStateTest, LeaveHoverLeavesMouseHeldAndOtherStatesAlone) {
  ButtonStateMachine m = ready_button();
  m.pointer_move();
  m.button_down(MouseButton::kLeft);
  EXPECT_EQ(painted(m.LeaveHover()), ButtonPicture::Normal);
  EXPECT_EQ(m.button_state(), kNormal);
  EXPECT_TRUE(m.mouse_held());
  EXPECT_FALSE(m.LeaveHover().paint.has_value());
}

TEST(ButtonStateTest, ResetFaceBlackensCaptionOnlyBeforeFirstRun) {
  ButtonStateMachine m;
  m.load_enabled(-1);
  Reaction early = m.ResetFace();
  EXPECT_TRUE(early.caption_black);
  EXPECT_EQ(painted(early), ButtonPicture::Normal);
  m.load_first_run(1);
  Reaction later = m.ResetFace();
  EXPECT_FALSE(later.caption_black);
  EXPECT_EQ(later.caption_enabled, true);
}

TEST(ButtonStateTest, LoadedControlSkipsFirstRunStep) {
  ButtonStateMachine m;
  m.load_enabled(0);
  m.load_first_run(1);
  std::int16_t enabled = -1;
  Reaction r = m.read_enabled(enabled);
  EXPECT_EQ(enabled, 0) << "a stored disabled control stays disabled";
  EXPECT_EQ(painted(r), ButtonPicture::Disable);
}

}  // namespace

#include "saver/button/button_state.h"

namespace orvanth {

void ButtonStateMachine::paint_into(ButtonPicture picture, Reaction& r) {
  // States 0 and 4 keep the gradient of the face painted before them.
  if (ButtonState == kNormal || ButtonState == kSelected) {
    HoverGradient = 0;
  } else if (ButtonState == kHighLight) {
    HoverGradient = -1;
  }
  r.paint = Reaction::Paint{picture, HoverGradient != 0};
  ++r.paint_count;
}

Reaction ButtonStateMachine::PaintFace(ButtonPicture picture) {
  Reaction r;
  paint_into(picture, r);
  return r;
}

Reaction ButtonStateMachine::Initialize() {
  Reaction r;
  ButtonState = kNormal;
  r.start_timer = true;
  return r;
}

Reaction ButtonStateMachine::pointer_move() {
  Reaction r;
  if (Enabled == 0) return r;
  if (ButtonState == kNormal) {
    ButtonState = kHighLight;
    paint_into(ButtonPicture::HighLight, r);
  } else if (ButtonState == kSelected && MouseHeld == 0) {
    ButtonState = kHighLightSelect;
    paint_into(ButtonPicture::HighLightSelect, r);
  }
  return r;
}

Reaction ButtonStateMachine::focus_in() {
  Reaction r;
  if (Enabled == 0) return r;
  if (ButtonState == kHighLight) {
    ButtonState = kHighLightSelect;
    paint_into(ButtonPicture::Pressed, r);
  } else {
    ButtonState = kSelected;
    paint_into(ButtonPicture::Selected, r);
  }
  return r;
}

Reaction ButtonStateMachine::focus_out() {
  Reaction r;
  if (Enabled == 0) return r;
  if (ButtonState != kNormal) {
    ButtonState = kNormal;
    paint_into(ButtonPicture::Normal, r);
  }
  return r;
}

Reaction ButtonStateMachine::button_down(MouseButton button) {
  Reaction r;
  if (Enabled == 0) return r;
  if (button == MouseButton::kLeft) {
    MouseHeld = -1;
    paint_into(ButtonPicture::Pressed, r);
  }
  return r;
}

Reaction ButtonStateMachine::button_up(MouseButton button) {
  Reaction r;
  if (Enabled == 0) return r;
  if (button == MouseButton::kLeft) {
    MouseHeld = 0;
    if (ButtonState == kHighLight) {
      paint_into(ButtonPicture::Normal, r);
    } else if (ButtonState == kHighLightSelect) {
      paint_into(ButtonPicture::HighLightSelect, r);
    }
  }
  r.click = ButtonState != kSelected && Enabled == -1;
  return r;
}

Reaction ButtonStateMachine::timer_tick(bool pointer_over_control) {
  if (pointer_over_control) return {};
  return LeaveHover();
}

Reaction ButtonStateMachine::LeaveHover() {
  Reaction r;
  if (Enabled == 0) return r;
  if (ButtonState == kHighLight) {
    ButtonState = kNormal;
    paint_into(ButtonPicture::Normal, r);
  } else if (ButtonState == kHighLightSelect) {
    ButtonState = kSelected;
    paint_into(ButtonPicture::Selected, r);
  }
  return r;
}

Reaction ButtonStateMachine::ApplyEnabled() {
  Reaction r;
  paint_into(Enabled != 0 ? ButtonPicture::Normal : ButtonPicture::Disable, r);
  r.caption_enabled = Enabled != 0;
  return r;
}

Reaction ButtonStateMachine::ResetFace() {
  Reaction r;
  if (Enabled == 0) return r;
  r.caption_enabled = true;
  r.caption_black = FirstRun == 0;
  paint_into(ButtonPicture::Normal, r);
  return r;
}

namespace {

// Folds a later reaction into an earlier one; the later paint wins.
void merge_into(Reaction& into, const Reaction& later) {
  if (later.paint) into.paint = later.paint;
  into.paint_count += later.paint_count;
  if (later.caption_enabled) into.caption_enabled = later.caption_enabled;
  into.caption_black = into.caption_black || later.caption_black;
  into.click = into.click || later.click;
  into.start_timer = into.start_timer || later.start_timer;
}

}  // namespace

Reaction ButtonStateMachine::read_enabled(std::int16_t& value) {
  Reaction r;
  if (FirstRun == 0) {
    // A newly placed control takes its defaults the first time it is asked.
    r = ResetFace();
    FirstRun = 1;
    Enabled = -1;
  }
  value = Enabled;
  merge_into(r, ApplyEnabled());
  return r;
}

Reaction ButtonStateMachine::write_enabled(std::int16_t value) {
  Enabled = to_boolean(value);
  return ApplyEnabled();
}

}  // namespace orvanth

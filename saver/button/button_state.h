// The command button's state machine: hover, focus and pressing, and the
// face routines that depend on them. Plain C++; the widget feeds it events and
// carries out the Reaction each call returns.
#pragma once

#include <cstdint>
#include <optional>

#include "saver/art/resources.h"

namespace orvanth {

using art::ButtonPicture;

enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

// What the widget has to do after one call, in this order: set the caption's
// enabled state and colour, repaint the face, raise Click.
struct Reaction {
  struct Paint {
    ButtonPicture picture;
    bool hover_gradient;  // dark on top when true
  };
  std::optional<Paint> paint;           // last PaintFace of the call
  int paint_count = 0;                  // every transition repaints in full
  std::optional<bool> caption_enabled;  // LblMsg enabled or greyed
  bool caption_black = false;           // caption colour reset to black
  bool click = false;                   // raise Click
  bool start_timer = false;             // switch TmrMouse on (100 ms)
};

class ButtonStateMachine {
 public:
  // Values of ButtonState.
  static constexpr std::uint8_t kNone = 0;  // before Initialize
  static constexpr std::uint8_t kNormal = 1;
  static constexpr std::uint8_t kHighLight = 2;
  static constexpr std::uint8_t kSelected = 3;
  static constexpr std::uint8_t kHighLightSelect = 4;

  Reaction Initialize();
  Reaction pointer_move();
  Reaction focus_in();
  Reaction focus_out();
  Reaction button_down(MouseButton button);
  Reaction button_up(MouseButton button);
  Reaction timer_tick(bool pointer_over_control);
  Reaction resize() { return ApplyEnabled(); }

  // Repaints with a picture; the state picks the gradient first.
  Reaction PaintFace(ButtonPicture picture);
  Reaction LeaveHover();
  Reaction ApplyEnabled();
  Reaction ResetFace();

  // The Enabled property. Reading runs the first-run step first.
  Reaction read_enabled(std::int16_t& value);
  Reaction write_enabled(std::int16_t value);

  // Values taken from the property store, applied without side effects.
  void load_enabled(std::int16_t value) { Enabled = to_boolean(value); }
  void load_first_run(std::uint8_t value) { FirstRun = value; }

  std::uint8_t button_state() const { return ButtonState; }
  bool mouse_held() const { return MouseHeld != 0; }
  bool hover_gradient() const { return HoverGradient != 0; }
  std::int16_t enabled() const { return Enabled; }
  std::uint8_t first_run() const { return FirstRun; }

 private:
  static std::int16_t to_boolean(std::int16_t v) { return v != 0 ? -1 : 0; }
  void paint_into(ButtonPicture picture, Reaction& r);

  // Booleans are 16-bit, -1 true and 0 false; a fresh control is all zero.
  std::int16_t HoverGradient = 0;
  std::uint8_t FirstRun = 0;
  std::int16_t Enabled = 0;
  std::uint8_t ButtonState = kNone;
  std::int16_t MouseHeld = 0;
};

}  // namespace orvanth

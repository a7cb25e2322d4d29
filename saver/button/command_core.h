// Command's portable half: the state machine, the persisted properties
// (keys, defaults and orders), the caption's look and the face routines.
// A platform's widget derives from it, feeds it the input and implements
// the hooks below: drawing, the pointer-leave timer, Click and the
// container's change notes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "saver/button/button_state.h"
#include "saver/button/property_bag.h"

namespace orvanth {

inline constexpr int kTmrMouseIntervalMs = 100;

// The face the button and the dialog draw in: ＭＳ Ｐゴシック, 9.75 point, normal
// weight, Shift-JIS.
inline constexpr std::string_view kFaceFontName = "ＭＳ Ｐゴシック";
inline constexpr double kFaceFontPoints = 9.75;
inline constexpr int kFaceFontWeight = 400;
inline constexpr int kShiftJisCharset = 128;
// DesignFont in the face the system has for it.
FontSpec design_font_in(std::string face);

class CommandCore {
 public:
  CommandCore(const CommandCore&) = delete;
  CommandCore& operator=(const CommandCore&) = delete;

  // State 1 and the pointer-leave timer; paints nothing.
  void Initialize();
  void TmrMouse_Timer();

  const std::string& Caption() const { return caption_; }  // UTF-8
  void set_caption(const std::string& caption);
  std::int16_t Enabled();  // runs the first-run step, then ApplyEnabled
  void set_enabled(std::int16_t enabled);
  const FontSpec& Font() const { return font_; }
  void set_font(const FontSpec& font);
  std::uint32_t FontColour();  // 0x00BBGGRR
  void set_font_colour(std::uint32_t colour);
  std::uint8_t Visible();  // 255 opaque, 0 transparent
  void set_visible(std::uint8_t visible);

  // The persisted properties, in their fixed read and write orders.
  void read_properties(const PropertyBag& bag);
  void write_properties(PropertyBag& bag);

  void PaintFace(ButtonPicture picture);
  void FillGradient();
  void LeaveHover();
  void ApplyEnabled();
  void ResetFace();

  // What the widget shows, read without the side effects of the properties.
  std::uint32_t caption_colour() const { return caption_colour_; }
  bool caption_enabled() const { return caption_enabled_; }
  bool background_opaque() const { return background_opaque_; }

  // The face as last drawn, and what decided it.
  const ButtonStateMachine& machine() const { return machine_; }
  std::optional<ButtonPicture> shown_picture() const { return shown_picture_; }

 protected:
  // design_font is the font of a new control and of a container with none.
  explicit CommandCore(FontSpec design_font);
  ~CommandCore() = default;

  // The widget's input goes to the machine; what it answers, to carry_out.
  ButtonStateMachine& state_machine() { return machine_; }
  // Last of all it may raise Click, whose handler may end the widget.
  void carry_out(const Reaction& r);

 private:
  // Repaints the persistent face (background, gradient, the picture's frame),
  // shows it and lays out the caption; false when there is nothing to draw on.
  virtual bool draw_face(ButtonPicture picture, bool hover_gradient) = 0;
  // Fills the persistent face with the bare gradient and shows it.
  virtual void draw_gradient(bool hover_gradient) = 0;
  // The caption's text, font, colour or enabled state, or the background
  // style, changed: show them again.
  virtual void show_properties() = 0;
  virtual void start_mouse_timer() = 0;
  // Over the control or its caption, as the pointer is now.
  virtual bool pointer_over_control() const = 0;
  virtual void raise_click() = 0;
  // The container is to save the property of this key with its form.
  virtual void report_change(const char* key) = 0;

  const FontSpec& ambient_font(const PropertyBag& bag) const;

  ButtonStateMachine machine_;
  std::string caption_ = "Command";
  FontSpec design_font_;
  FontSpec font_;
  std::uint32_t caption_colour_ = 0;
  bool caption_enabled_ = true;
  bool background_opaque_ = true;
  std::optional<ButtonPicture> shown_picture_;
};

}  // namespace orvanth

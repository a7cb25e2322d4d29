#include "saver/button/command_core.h"

#include <utility>
#include <variant>

namespace orvanth {
namespace {

constexpr std::int64_t kTrue = -1;
constexpr std::uint32_t kLargestColour = 0xFFFFFFU;

}  // namespace

FontSpec design_font_in(std::string face) {
  return FontSpec{std::move(face), kFaceFontPoints, kFaceFontWeight, kShiftJisCharset};
}

CommandCore::CommandCore(FontSpec design_font)
    : design_font_(std::move(design_font)), font_(design_font_) {}

void CommandCore::Initialize() { carry_out(machine_.Initialize()); }

void CommandCore::TmrMouse_Timer() { carry_out(machine_.timer_tick(pointer_over_control())); }

// --- properties -------------------------------------------------------------

void CommandCore::set_caption(const std::string& caption) {
  caption_ = caption;
  show_properties();
  report_change("Caption");
}

std::int16_t CommandCore::Enabled() {
  std::int16_t value = 0;
  carry_out(machine_.read_enabled(value));
  return value;
}

void CommandCore::set_enabled(std::int16_t enabled) {
  machine_.load_enabled(enabled);
  report_change("Enabled");
  carry_out(machine_.ApplyEnabled());
}

void CommandCore::set_font(const FontSpec& font) {
  font_ = font;
  show_properties();
  report_change("Font");
}

std::uint32_t CommandCore::FontColour() {
  const std::uint32_t colour = caption_colour_;
  ResetFace();
  return colour;
}

void CommandCore::set_font_colour(std::uint32_t colour) {
  // Only plain RGB values are colours here; anything else fails the write,
  // which resets the face and reports nothing.
  if (colour > kLargestColour) {
    ResetFace();
    return;
  }
  caption_colour_ = colour;
  show_properties();
  ResetFace();
  report_change("FontColour");
}

std::uint8_t CommandCore::Visible() {
  if (!background_opaque_) return 0;
  ResetFace();
  return 255;
}

void CommandCore::set_visible(std::uint8_t visible) {
  background_opaque_ = visible != 0;
  show_properties();
  if (background_opaque_) ResetFace();
  report_change("Visible");
}

// --- persisted properties ---------------------------------------------------

const FontSpec& CommandCore::ambient_font(const PropertyBag& bag) const {
  // A container without a font of its own lends DesignFont.
  return bag.ambient_font().face.empty() ? design_font_ : bag.ambient_font();
}

void CommandCore::read_properties(const PropertyBag& bag) {
  machine_.load_enabled(
      static_cast<std::int16_t>(property_number(bag.read_property("Enabled", kTrue))));
  caption_ = property_text(bag.read_property("Caption", std::string("Command1")));
  const PropertyValue font = bag.read_property("Font", ambient_font(bag));
  if (const auto* chosen = std::get_if<FontSpec>(&font)) font_ = *chosen;
  machine_.load_first_run(
      static_cast<std::uint8_t>(property_number(bag.read_property("FirstRun", std::string("1")))));
  const auto colour = static_cast<std::uint32_t>(
      property_number(bag.read_property("FontColour", std::string("0"))));
  caption_colour_ = colour <= kLargestColour ? colour : 0;
  background_opaque_ = property_number(bag.read_property("Visible", std::string("1"))) != 0;
  show_properties();
  ResetFace();
}

void CommandCore::write_properties(PropertyBag& bag) {
  bag.write_property("Enabled", std::int64_t{machine_.enabled()}, kTrue);
  bag.write_property("Caption", caption_, std::string("Command"));
  bag.write_property("FirstRun", std::int64_t{machine_.first_run()}, std::string("1"));
  bag.write_property("Font", font_, ambient_font(bag));
  bag.write_property("FontColour", std::int64_t{caption_colour_}, std::string("0"));
  bag.write_property("Visible", std::int64_t{background_opaque_ ? 1 : 0}, std::string("1"));
  ResetFace();
}

// --- face routines ----------------------------------------------------------

void CommandCore::PaintFace(ButtonPicture picture) { carry_out(machine_.PaintFace(picture)); }
void CommandCore::FillGradient() { draw_gradient(machine_.hover_gradient()); }
void CommandCore::LeaveHover() { carry_out(machine_.LeaveHover()); }
void CommandCore::ApplyEnabled() { carry_out(machine_.ApplyEnabled()); }
void CommandCore::ResetFace() { carry_out(machine_.ResetFace()); }

void CommandCore::carry_out(const Reaction& r) {
  if (r.caption_black) caption_colour_ = 0;
  if (r.caption_enabled) caption_enabled_ = *r.caption_enabled;
  if (r.caption_black || r.caption_enabled) show_properties();
  if (r.paint && draw_face(r.paint->picture, r.paint->hover_gradient)) {
    shown_picture_ = r.paint->picture;
  }
  if (r.start_timer) start_mouse_timer();
  // Nothing of this control is touched after Click.
  if (r.click) raise_click();
}

}  // namespace orvanth

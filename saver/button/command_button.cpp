#include "saver/button/command_button.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <array>
#include <cmath>

#include "saver/button/button_face.h"
#include "saver/art/resources.h"

using orvanth::ButtonPicture;
using orvanth::FontSpec;
using orvanth::PropertyBag;
using orvanth::PropertyValue;
namespace face = orvanth::button_face;

namespace {

constexpr int kTimerIntervalMs = 100;
constexpr std::int64_t kTrue = -1;

// The six state pictures, converted once and shared by every button.
const QImage& state_image(ButtonPicture which) {
  static std::array<QImage, 6> images;
  static std::array<bool, 6> loaded{};
  const auto i = static_cast<std::size_t>(which);
  if (!loaded[i]) {
    const orvanth::art::Picture p = orvanth::art::ButtonStatePicture(which);
    if (p.pixels != nullptr && (p.channels == 3 || p.channels == 4)) {
      const auto format = p.channels == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888;
      images[i] = QImage(p.pixels, p.width, p.height, p.width * p.channels, format)
                      .convertToFormat(QImage::Format_RGB32);
    }
  }
  loaded[i] = true;
  return images[i];
}

QRect pixel_rect(const face::Rect& twips) {
  const face::Rect r = face::to_pixels(twips);
  return {r.x, r.y, r.w, r.h};
}

QColor vertex_qcolour(std::string_view constant) {
  const face::VertexColour v = face::vertex_colour(constant);
  return {v.red >> 8, v.green >> 8, v.blue >> 8};
}

QColor colour_from_bgr(std::uint32_t c) {
  return {static_cast<int>(c & 0xFFU), static_cast<int>((c >> 8) & 0xFFU),
          static_cast<int>((c >> 16) & 0xFFU)};
}

orvanth::MouseButton button_of(const QMouseEvent* e) {
  switch (e->button()) {
    case Qt::LeftButton: return orvanth::MouseButton::Left;
    case Qt::RightButton: return orvanth::MouseButton::Right;
    default: return orvanth::MouseButton::Middle;
  }
}

}  // namespace

QFont Command::DesignFont() {
  static const QString kDesignFace = QString::fromUtf8("ＭＳ Ｐゴシック");
  static const QString kStandIn = QStringLiteral("IPAPGothic");
  QFont font(QFontDatabase::hasFamily(kDesignFace) ? kDesignFace : kStandIn);
  font.setPointSizeF(9.75);
  font.setWeight(QFont::Normal);
  return font;
}

Command::Command(QWidget* parent) : QWidget(parent), LblMsg(new QLabel(this)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  resize(1755 / face::kTwipsPerPixel, 420 / face::kTwipsPerPixel);
  // The caption is part of the face: its mouse events are the control's own.
  LblMsg->setAttribute(Qt::WA_TransparentForMouseEvents);
  LblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LblMsg->setText(QStringLiteral("Command"));
  LblMsg->setFont(DesignFont());
  LblMsg->setGeometry(0, 90 / face::kTwipsPerPixel, 1635 / face::kTwipsPerPixel,
                      face::kCaptionHeight / face::kTwipsPerPixel);
  set_caption_colour(0);
  TmrMouse.setInterval(kTimerIntervalMs);
  connect(&TmrMouse, &QTimer::timeout, this, &Command::TmrMouse_Timer);
}

void Command::Initialize() {
  carry_out(machine_.Initialize());
  TmrMouse.setInterval(kTimerIntervalMs);
  TmrMouse.start();
}

// --- properties -----------------------------------------------------------

QString Command::Caption() const { return LblMsg->text(); }

void Command::SetCaption(const QString& caption) {
  LblMsg->setText(caption);
  report("Caption");
}

std::int16_t Command::Enabled() {
  std::int16_t value = 0;
  carry_out(machine_.ReadEnabled(value));
  return value;
}

void Command::SetEnabled(std::int16_t enabled) {
  machine_.LoadEnabled(enabled);
  report("Enabled");
  carry_out(machine_.ApplyEnabled());
}

QFont Command::Font() const { return LblMsg->font(); }

void Command::SetFont(const QFont& font) {
  LblMsg->setFont(font);
  report("Font");
}

std::uint32_t Command::FontColour() {
  const std::uint32_t colour = caption_colour_;
  ResetFace();
  return colour;
}

void Command::SetFontColour(std::uint32_t colour) {
  // Only plain RGB values are colours here; anything else fails the write,
  // which resets the face and reports nothing.
  if (colour > 0xFFFFFFU) {
    ResetFace();
    return;
  }
  set_caption_colour(colour);
  ResetFace();
  report("FontColour");
}

std::uint8_t Command::Visible() {
  if (!background_opaque_) return 0;
  ResetFace();
  return 255;
}

void Command::SetVisible(std::uint8_t visible) {
  background_opaque_ = visible != 0;
  update();
  if (background_opaque_) ResetFace();
  report("Visible");
}

// --- persisted properties --------------------------------------------------

namespace {

FontSpec spec_of(const QFont& f, int charset) {
  return {f.family().toStdString(), f.pointSizeF(), f.weight(), charset, f.bold(),
          f.italic(), f.underline(), f.strikeOut()};
}

QFont font_of(const FontSpec& s) {
  QFont f(QString::fromStdString(s.face));
  if (s.points > 0) f.setPointSizeF(s.points);
  f.setWeight(static_cast<QFont::Weight>(s.weight));
  if (s.bold) f.setBold(true);
  f.setItalic(s.italic);
  f.setUnderline(s.underline);
  f.setStrikeOut(s.strike_out);
  return f;
}

PropertyValue ambient_font(const PropertyBag& bag, int charset) {
  // A container without a font of its own lends the design font.
  if (bag.AmbientFont().face.empty()) return spec_of(Command::DesignFont(), charset);
  return bag.AmbientFont();
}

}  // namespace

void Command::ReadProperties(const PropertyBag& bag) {
  machine_.LoadEnabled(static_cast<std::int16_t>(
      property_number(bag.ReadProperty("Enabled", kTrue))));
  LblMsg->setText(QString::fromStdString(
      property_text(bag.ReadProperty("Caption", std::string("Command1")))));
  const PropertyValue font = bag.ReadProperty("Font", ambient_font(bag, font_charset_));
  if (const auto* chosen = std::get_if<FontSpec>(&font)) {
    LblMsg->setFont(font_of(*chosen));
    font_charset_ = chosen->charset;
  }
  machine_.LoadFirstRun(static_cast<std::uint8_t>(
      property_number(bag.ReadProperty("FirstRun", std::string("1")))));
  const auto colour = static_cast<std::uint32_t>(
      property_number(bag.ReadProperty("FontColour", std::string("0"))));
  set_caption_colour(colour <= 0xFFFFFFU ? colour : 0);
  background_opaque_ = property_number(bag.ReadProperty("Visible", std::string("1"))) != 0;
  update();
  ResetFace();
}

void Command::WriteProperties(PropertyBag& bag) {
  bag.WriteProperty("Enabled", std::int64_t{machine_.enabled()}, kTrue);
  bag.WriteProperty("Caption", LblMsg->text().toStdString(), std::string("Command"));
  bag.WriteProperty("FirstRun", std::int64_t{machine_.first_run()}, std::string("1"));
  bag.WriteProperty("Font", spec_of(LblMsg->font(), font_charset_),
                    ambient_font(bag, font_charset_));
  bag.WriteProperty("FontColour", std::int64_t{caption_colour_}, std::string("0"));
  bag.WriteProperty("Visible", std::int64_t{background_opaque_ ? 1 : 0}, std::string("1"));
  ResetFace();
}

// --- face routines ----------------------------------------------------------

void Command::PaintFace(ButtonPicture picture) { carry_out(machine_.PaintFace(picture)); }

void Command::FillGradient() {
  fill_gradient(machine_.hover_gradient());
  update();
}

void Command::LeaveHover() { carry_out(machine_.LeaveHover()); }
void Command::ApplyEnabled() { carry_out(machine_.ApplyEnabled()); }
void Command::ResetFace() { carry_out(machine_.ResetFace()); }

void Command::carry_out(const orvanth::Reaction& r) {
  if (r.caption_black) set_caption_colour(0);
  if (r.caption_enabled) LblMsg->setEnabled(*r.caption_enabled);
  if (r.paint) draw_face(r.paint->picture, r.paint->hover_gradient);
  if (r.click) emit Click();
}

void Command::fill_gradient(bool hover_gradient) {
  if (face_.size() != size()) face_ = QImage(size(), QImage::Format_RGB32);
  QColor top = vertex_qcolour(face::kLightConstant);
  QColor bottom = vertex_qcolour(face::kDarkConstant);
  if (hover_gradient) std::swap(top, bottom);
  // Vertex 0 on the first pixel row, vertex 1 on the last one.
  const double h = face_.height();
  QLinearGradient gradient(0.0, 0.5, 0.0, std::max(0.5, h - 0.5));
  gradient.setColorAt(0.0, top);
  gradient.setColorAt(1.0, bottom);
  QPainter painter(&face_);
  painter.fillRect(face_.rect(), gradient);
}

void Command::draw_face(ButtonPicture picture, bool hover_gradient) {
  if (width() <= 0 || height() <= 0) return;
  if (face_.size() != size()) face_ = QImage(size(), QImage::Format_RGB32);
  face_.fill(palette().color(QPalette::Window));
  fill_gradient(hover_gradient);
  const QImage& source = state_image(picture);
  if (!source.isNull()) {
    const face::Slices slices =
        face::frame_slices(width() * face::kTwipsPerPixel, height() * face::kTwipsPerPixel);
    QPainter painter(&face_);
    for (std::size_t i = 0; i < slices.pieces.size(); ++i) {
      if (!slices.valid[i]) continue;
      painter.drawImage(pixel_rect(slices.pieces[i].dest), source,
                        pixel_rect(slices.pieces[i].source));
    }
  }
  shown_picture_ = picture;
  update();
  layout_caption();
}

void Command::layout_caption() {
  const int label_twips = LblMsg->height() * face::kTwipsPerPixel;
  const double top = face::caption_top(height() * face::kTwipsPerPixel, label_twips);
  LblMsg->setGeometry(0, static_cast<int>(std::lround(top / face::kTwipsPerPixel)), width(),
                      LblMsg->height());
}

void Command::set_caption_colour(std::uint32_t colour) {
  caption_colour_ = colour;
  // Only the active and inactive text take the colour; a disabled caption
  // keeps the style's grey.
  QPalette p = LblMsg->palette();
  p.setColor(QPalette::Active, QPalette::WindowText, colour_from_bgr(colour));
  p.setColor(QPalette::Inactive, QPalette::WindowText, colour_from_bgr(colour));
  LblMsg->setPalette(p);
}

// --- events -----------------------------------------------------------------

bool Command::pointer_over_self() const {
  const QWidget* under = QApplication::widgetAt(QCursor::pos());
  return under == this || under == LblMsg;
}

void Command::TmrMouse_Timer() { carry_out(machine_.TimerTick(pointer_over_self())); }

void Command::mousePressEvent(QMouseEvent* event) {
  carry_out(machine_.ButtonDown(button_of(event)));
}

void Command::mouseReleaseEvent(QMouseEvent* event) {
  carry_out(machine_.ButtonUp(button_of(event)));
}

void Command::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held the moves keep coming from outside; only moves
  // over the face count as hovering.
  if (rect().contains(event->position().toPoint())) carry_out(machine_.PointerMove());
}

void Command::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  carry_out(machine_.FocusIn());
}

void Command::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  carry_out(machine_.FocusOut());
}

void Command::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  carry_out(machine_.Resize());
}

void Command::paintEvent(QPaintEvent* /*event*/) {
  // Shows the persistent face; a transparent background shows nothing.
  if (!background_opaque_ || face_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, face_);
}

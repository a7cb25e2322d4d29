#include "saver/button/impl_qt/command_button.h"

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

#include "saver/art/resources.h"
#include "saver/button/button_face.h"

using orvanth::ButtonPicture;
using orvanth::FontSpec;
namespace face = orvanth::button_face;

namespace {

// The face is laid out at the state pictures' resolution.
constexpr double kTwips = face::kTwipsPerPixel;

// The six state pictures, converted once and shared by every button.
const QImage& state_image(ButtonPicture which) {
  static std::array<QImage, 6> images;
  static std::array<bool, 6> loaded{};
  const auto i = static_cast<std::size_t>(which);
  if (!loaded[i]) {
    const orvanth::art::Picture p = orvanth::art::button_state_picture(which);
    if (p.pixels != nullptr && (p.channels == 3 || p.channels == 4)) {
      const auto format = p.channels == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888;
      images[i] = QImage(p.pixels, p.width, p.height, p.width * p.channels, format)
                      .convertToFormat(QImage::Format_RGB32);
    }
  }
  loaded[i] = true;
  return images[i];
}

QRect qrect(const face::Rect& r) { return {r.x, r.y, r.w, r.h}; }

QColor vertex_qcolour(std::string_view constant) {
  const face::VertexColour v = face::vertex_colour(constant);
  return {v.red >> 8, v.green >> 8, v.blue >> 8};
}

QColor colour_from_bgr(std::uint32_t c) {
  return {static_cast<int>(c & 0xFFU), static_cast<int>((c >> 8) & 0xFFU),
          static_cast<int>((c >> 16) & 0xFFU)};
}

FontSpec spec_of(const QFont& f, int charset) {
  return {f.family().toStdString(),
          f.pointSizeF(),
          f.weight(),
          charset,
          f.bold(),
          f.italic(),
          f.underline(),
          f.strikeOut()};
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

std::string design_face() {
  const QString design = QString::fromUtf8(orvanth::kFaceFontName.data(),
                                           static_cast<qsizetype>(orvanth::kFaceFontName.size()));
  return QFontDatabase::hasFamily(design) ? design.toStdString() : std::string("IPAPGothic");
}

orvanth::MouseButton button_of(const QMouseEvent* e) {
  switch (e->button()) {
    case Qt::LeftButton:
      return orvanth::MouseButton::kLeft;
    case Qt::RightButton:
      return orvanth::MouseButton::kRight;
    default:
      return orvanth::MouseButton::kMiddle;
  }
}

}  // namespace

QFont Command::design_font() { return font_of(orvanth::design_font_in(design_face())); }

Command::Command(QWidget* parent)
    : QWidget(parent),
      CommandCore(orvanth::design_font_in(design_face())),
      LblMsg(new QLabel(this)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  resize(1755 / face::kTwipsPerPixel, 420 / face::kTwipsPerPixel);
  // The caption is part of the face: its mouse events are the control's own.
  LblMsg->setAttribute(Qt::WA_TransparentForMouseEvents);
  LblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LblMsg->setGeometry(0, face::kCaptionTop / face::kTwipsPerPixel, 1635 / face::kTwipsPerPixel,
                      face::kCaptionHeight / face::kTwipsPerPixel);
  show_properties();
  connect(&TmrMouse, &QTimer::timeout, this, &Command::TmrMouse_Timer);
}

QString Command::Caption() const { return QString::fromStdString(CommandCore::Caption()); }
void Command::set_caption(const QString& caption) {
  CommandCore::set_caption(caption.toStdString());
}
QFont Command::Font() const { return LblMsg->font(); }

void Command::set_font(const QFont& font) {
  CommandCore::set_font(spec_of(font, CommandCore::Font().charset));
}

void Command::show_properties() {
  LblMsg->setText(Caption());
  LblMsg->setFont(font_of(CommandCore::Font()));
  LblMsg->setEnabled(caption_enabled());
  // Only the active and inactive text take the colour; a disabled caption
  // keeps the style's grey.
  QPalette p = LblMsg->palette();
  p.setColor(QPalette::Active, QPalette::WindowText, colour_from_bgr(caption_colour()));
  p.setColor(QPalette::Inactive, QPalette::WindowText, colour_from_bgr(caption_colour()));
  LblMsg->setPalette(p);
  update();
}

void Command::start_mouse_timer() {
  TmrMouse.setInterval(orvanth::kTmrMouseIntervalMs);
  TmrMouse.start();
}

// --- face -------------------------------------------------------------------

void Command::draw_gradient(bool hover_gradient) {
  fill_gradient(hover_gradient);
  update();
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

bool Command::draw_face(ButtonPicture picture, bool hover_gradient) {
  if (width() <= 0 || height() <= 0) return false;
  if (face_.size() != size()) face_ = QImage(size(), QImage::Format_RGB32);
  face_.fill(palette().color(QPalette::Window));
  fill_gradient(hover_gradient);
  const QImage& source = state_image(picture);
  if (!source.isNull()) {
    QPainter painter(&face_);
    for (const face::Piece& piece : face::frame_pieces(width(), height(), kTwips, kTwips)) {
      painter.drawImage(qrect(piece.dest), source, qrect(piece.source));
    }
  }
  update();
  layout_caption();
  return true;
}

void Command::layout_caption() {
  const int top =
      face::caption_top_pixels(height(), kTwips, LblMsg->height() * face::kTwipsPerPixel);
  LblMsg->setGeometry(0, top, width(), LblMsg->height());
}

// --- events -----------------------------------------------------------------

bool Command::pointer_over_control() const {
  const QWidget* under = QApplication::widgetAt(QCursor::pos());
  return under == this || under == LblMsg;
}

void Command::mousePressEvent(QMouseEvent* event) {
  carry_out(state_machine().button_down(button_of(event)));
}

void Command::mouseReleaseEvent(QMouseEvent* event) {
  carry_out(state_machine().button_up(button_of(event)));
}

void Command::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held the moves keep coming from outside; only moves
  // over the face count as hovering.
  if (rect().contains(event->position().toPoint())) carry_out(state_machine().pointer_move());
}

void Command::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  carry_out(state_machine().focus_in());
}

void Command::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  carry_out(state_machine().focus_out());
}

void Command::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  carry_out(state_machine().resize());
}

void Command::paintEvent(QPaintEvent* /*event*/) {
  // Shows the persistent face; a transparent background shows nothing.
  if (!background_opaque() || face_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, face_);
}

// Command, the shell's owner-drawn push button ("Lumevar.Command"): a gradient
// face, a frame cut from one of six state pictures, a centred caption and a
// 100 ms pointer-leave check. It paints into a persistent image that its
// paint event only shows.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "saver/button/button_state.h"
#include "saver/button/property_bag.h"

class QLabel;

class Command : public QWidget {
  Q_OBJECT

 public:
  explicit Command(QWidget* parent = nullptr);

  // State 1 and the pointer-leave timer; paints nothing.
  void Initialize();

  QString Caption() const;
  void SetCaption(const QString& caption);
  std::int16_t Enabled();  // runs the first-run step, then ApplyEnabled
  void SetEnabled(std::int16_t enabled);
  QFont Font() const;
  void SetFont(const QFont& font);
  std::uint32_t FontColour();  // 0x00BBGGRR
  void SetFontColour(std::uint32_t colour);
  std::uint8_t Visible();  // 255 opaque, 0 transparent
  void SetVisible(std::uint8_t visible);

  // The persisted properties, in their fixed read and write orders.
  void ReadProperties(const orvanth::PropertyBag& bag);
  void WriteProperties(orvanth::PropertyBag& bag);

  void PaintFace(orvanth::ButtonPicture picture);
  void FillGradient();
  void LeaveHover();
  void ApplyEnabled();
  void ResetFace();

  // The face as last drawn, and what decided it.
  const QImage& FaceImage() const { return face_; }
  const orvanth::ButtonStateMachine& machine() const { return machine_; }
  std::optional<orvanth::ButtonPicture> shown_picture() const { return shown_picture_; }
  const QLabel* caption_label() const { return LblMsg; }
  bool timer_running() const { return TmrMouse.isActive(); }

  // The design font where the system has it, else the stand-in face.
  static QFont DesignFont();

 signals:
  void Click();
  // The container is to save the property of this key with its form.
  void PropertyChanged(const QString& key);

 public slots:
  void TmrMouse_Timer();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void carry_out(const orvanth::Reaction& r);
  void draw_face(orvanth::ButtonPicture picture, bool hover_gradient);
  void fill_gradient(bool hover_gradient);
  void layout_caption();
  void set_caption_colour(std::uint32_t colour);
  bool pointer_over_self() const;
  void report(const char* key) { emit PropertyChanged(QString::fromLatin1(key)); }

  orvanth::ButtonStateMachine machine_;
  QTimer TmrMouse;
  QLabel* LblMsg;
  QImage face_;
  std::optional<orvanth::ButtonPicture> shown_picture_;
  std::uint32_t caption_colour_ = 0;
  int font_charset_ = 128;
  bool background_opaque_ = true;
};

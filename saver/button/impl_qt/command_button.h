// Command on Linux, the shell's owner-drawn push button ("Lumevar.Command"):
// a Qt widget over the portable core. It paints the face (gradient and the
// frame cut from one of six state pictures) into a persistent image that
// its paint event only shows, keeps the caption in a label on top, and
// checks every 100 ms whether the pointer has left.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "saver/button/command_core.h"

class QLabel;

class Command : public QWidget, public orvanth::CommandCore {
  Q_OBJECT

 public:
  explicit Command(QWidget* parent = nullptr);

  // The caption and font as Qt types; the core keeps them as UTF-8 and a
  // FontSpec.
  QString Caption() const;
  using CommandCore::set_caption;
  void set_caption(const QString& caption);
  QFont Font() const;
  using CommandCore::set_font;
  void set_font(const QFont& font);

  const QImage& face_image() const { return face_; }
  const QLabel* caption_label() const { return LblMsg; }
  bool timer_running() const { return TmrMouse.isActive(); }

  // ＭＳ Ｐゴシック 9.75 point where the system has that face, else
  // IPAPGothic at that size.
  static QFont design_font();

 signals:
  void Click();
  // The container is to save the property of this key with its form.
  void property_changed(const QString& key);

 public slots:
  void TmrMouse_Timer() { CommandCore::TmrMouse_Timer(); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool draw_face(orvanth::ButtonPicture picture, bool hover_gradient) override;
  void draw_gradient(bool hover_gradient) override;
  void show_properties() override;
  void start_mouse_timer() override;
  bool pointer_over_control() const override;
  void raise_click() override { emit Click(); }
  void report_change(const char* key) override { emit property_changed(QString::fromLatin1(key)); }

  void fill_gradient(bool hover_gradient);
  void layout_caption();

  QTimer TmrMouse;
  QLabel* LblMsg;
  QImage face_;
};

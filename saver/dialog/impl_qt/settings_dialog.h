// The settings dialog Lumevar_P on Qt: the form's widgets over the shared
// handlers of settings_form.h.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <string>
#include <string_view>

#include "saver/dialog/settings_form.h"
#include "saver/dialog/show_settings_dialog.h"

class Command;
class QComboBox;
class QFrame;
class QLabel;

namespace orvanth::dialog {

// The file chooser's filter; the patterns take either case.
inline constexpr std::string_view kChooserFilter = "BGMﾌｧｲﾙ (MP3 WAV) (*.[Mm][Pp]3 *.[Ww][Aa][Vv])";

// A picture box: the image painted into it is kept and shown on every repaint;
// before the first painting it shows its background colour.
class PictureBox : public QWidget {
 public:
  PictureBox(QWidget* parent, QColor background);
  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace orvanth::dialog

class Lumevar_P : public QDialog, public orvanth::dialog::SettingsForm {
 public:
  explicit Lumevar_P(std::string settings_path = {});

  void Form_Resize();

  // The controls, by their design names (element indices as designed).
  orvanth::dialog::PictureBox* Pic_C;
  Command* Cmd_Etc;
  Command* Cmd_Set;
  Command* Cmd_Can;
  Command* Cmd_BGM;
  QComboBox* BGM_Repeat;
  QLabel* lbl_Fname;
  QLabel* lbl_Note;    // why a chosen file was refused; hidden otherwise
  QLabel* lbl_Credit;  // lbl (7)
  QLabel* lbl_Repeat;  // lbl (14)
  QLabel* lbl_Title;   // lbl (15)
  QFrame* Shape3;
  std::array<QLabel*, 3> Img_BGM{};
  std::array<QLabel*, 3> lbl_BGM{};
  std::array<QLabel*, 2> Img_Ra{};

  // The form's painted image (shown on every repaint).
  const QImage& backdrop() const { return backdrop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();

  QImage backdrop_;
  bool unloaded_ = false;
};

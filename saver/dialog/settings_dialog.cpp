#include "saver/dialog/settings_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <cmath>
#include <cstdio>

#include "saver/button/command_button.h"
#include "saver/caption_animation.h"
#include "saver/dialog/dialog_choice.h"
#include "saver/forms/numbers.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/button/property_bag.h"
#include "saver/art/resources.h"
#include "saver/local_page.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

namespace orvanth::dialog {
namespace {

constexpr int kFormWidthTwips = 7185;
constexpr int kFormHeightTwips = 3780;
const QColor kFormBackground(192, 192, 192);
const QColor kPanelBackground(224, 224, 224);

QString text_of(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int to_pixels(double twips, double twips_per_pixel) {
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

// A control's rectangle from its design position and size in twips.
QRect twips_rect(int left, int top, int width, int height) {
  const double tx = forms::twips_per_pixel_x();
  const double ty = forms::twips_per_pixel_y();
  return {to_pixels(left, tx), to_pixels(top, ty), to_pixels(width, tx), to_pixels(height, ty)};
}

QImage picture_image(const art::Picture& p) {
  if (p.pixels == nullptr || (p.channels != 3 && p.channels != 4)) {
    return {};
  }
  const auto format = p.channels == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888;
  return QImage(p.pixels, p.width, p.height, p.width * p.channels, format).copy();
}

// Paints one horizontal line per twip into image, in colour_of(level).
template <typename ColourOf>
void paint_gradient(QImage& image, QSize size, ColourOf colour_of) {
  if (size.isEmpty()) {
    return;
  }
  image = QImage(size, QImage::Format_RGB32);
  const double ty = forms::twips_per_pixel_y();
  const std::vector<int> rows = gradient_rows(size.height() * ty, ty, size.height());
  QPainter painter(&image);
  for (int y = 0; y < size.height(); ++y) {
    painter.fillRect(0, y, size.width(), 1, colour_of(rows[static_cast<std::size_t>(y)]));
  }
}

// A transparent label in the design face; it grows to its text where the
// stand-in face needs more room than the design size, so no caption is cut.
QLabel* make_label(QWidget* parent, const QString& caption, QRect design, Qt::Alignment align) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(caption);
  label->setFont(Command::DesignFont());
  label->setAlignment(align);
  const QSize needed = label->sizeHint();
  label->setGeometry(design.x(), design.y(), std::max(design.width(), needed.width()),
                     std::max(design.height(), label->fontMetrics().height()));
  return label;
}

Command* make_command(QWidget* parent, const char* caption, QRect design) {
  auto* button = new Command(parent);
  PropertyBag bag;
  bag.WriteProperty("Caption", std::string(caption), std::string("Command"));
  button->ReadProperties(bag);
  button->setGeometry(design);
  return button;
}

QLabel* make_image(QWidget* parent, QRect design) {
  auto* image = new QLabel(parent);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setGeometry(design);
  return image;
}

int button_code(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int shift_code(Qt::KeyboardModifiers m) {
  return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

void restore_default_pointer() {
  while (QGuiApplication::overrideCursor() != nullptr) {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, QColor background) : QWidget(parent) {
  QPalette p = palette();
  p.setColor(QPalette::Window, background);
  setPalette(p);
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (image_.isNull()) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    return;
  }
  painter.drawImage(0, 0, image_);
}

}  // namespace orvanth::dialog

using orvanth::dialog::text_of;
using orvanth::dialog::twips_rect;

Lumevar_P::Lumevar_P(std::string settings_path)
    : settings_path_(std::move(settings_path)) {
  setWindowTitle(text_of(orvanth::dialog::kCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const QRect client = twips_rect(0, 0, orvanth::dialog::kFormWidthTwips,
                                  orvanth::dialog::kFormHeightTwips);
  setFixedSize(client.size());
  const QImage icon = orvanth::dialog::picture_image(orvanth::art::Icon());
  if (!icon.isNull()) {
    setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  }
  build_controls();
}

void Lumevar_P::build_controls() {
  using orvanth::dialog::make_command;
  using orvanth::dialog::make_image;
  using orvanth::dialog::make_label;
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

  Pic_C = new orvanth::dialog::PictureBox(this, orvanth::dialog::kPanelBackground);
  Pic_C->setGeometry(twips_rect(180, 240, 6795, 2535));
  Cmd_Etc = make_command(this, "その他の作品", twips_rect(2880, 3000, 1875, 375));
  Cmd_Set = make_command(this, "設定", twips_rect(4800, 3000, 1095, 375));
  Cmd_Can = make_command(this, "ｷｬﾝｾﾙ", twips_rect(5940, 3000, 1035, 375));
  lbl_Credit = make_label(this, text_of(orvanth::dialog::kCreditLine),
                          twips_rect(180, 2940, 2475, 195), left);
  QPalette white = lbl_Credit->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  lbl_Credit->setPalette(white);
  Img_Ra[0] = make_image(this, twips_rect(8040, 300, 180, 180));
  Img_Ra[1] = make_image(this, twips_rect(8040, 600, 180, 180));
  Img_Ra[0]->setPixmap(QPixmap::fromImage(orvanth::dialog::picture_image(orvanth::art::MarkerEmpty())));
  Img_Ra[1]->setPixmap(QPixmap::fromImage(orvanth::dialog::picture_image(orvanth::art::MarkerFilled())));

  Shape3 = new QFrame(Pic_C);
  Shape3->setFrameStyle(QFrame::Box | QFrame::Plain);
  Shape3->setLineWidth(1);
  QPalette black = Shape3->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  Shape3->setPalette(black);
  Shape3->setGeometry(twips_rect(300, 300, 1695, 315));
  lbl_Title = make_label(Pic_C, QStringLiteral("BGM"), twips_rect(300, 360, 1665, 195),
                         Qt::AlignHCenter | Qt::AlignTop);
  Img_BGM[1] = make_image(Pic_C, twips_rect(300, 840, 195, 195));
  lbl_BGM[1] = make_label(Pic_C, QString::fromUtf8("音楽CD"), twips_rect(540, 840, 645, 195), left);
  BGM_Repeat = new QComboBox(Pic_C);
  BGM_Repeat->setEditable(true);
  BGM_Repeat->setInsertPolicy(QComboBox::NoInsert);
  BGM_Repeat->setFont(Command::DesignFont());
  QPalette base = BGM_Repeat->palette();
  base.setColor(QPalette::Base, Qt::white);
  BGM_Repeat->setPalette(base);
  BGM_Repeat->setGeometry(twips_rect(1380, 780, 615, 300));
  lbl_Repeat = make_label(Pic_C, QString::fromUtf8("曲目をﾘﾋﾟｰﾄ"), twips_rect(2040, 840, 990, 195), left);
  Img_BGM[0] = make_image(Pic_C, twips_rect(300, 1140, 195, 195));
  lbl_BGM[0] = make_label(Pic_C, QString::fromUtf8("無し"), twips_rect(540, 1140, 345, 195), left);
  Img_BGM[2] = make_image(Pic_C, twips_rect(300, 1440, 195, 195));
  lbl_BGM[2] = make_label(Pic_C, QString::fromUtf8("MP3、WAV"), twips_rect(540, 1440, 900, 195), left);
  Cmd_BGM = make_command(Pic_C, "...", twips_rect(540, 1740, 435, 315));
  lbl_Fname = new QLabel(Pic_C);
  // File names are shown as they are, never as markup.
  lbl_Fname->setTextFormat(Qt::PlainText);
  lbl_Fname->setFont(Command::DesignFont());
  lbl_Fname->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lbl_Fname->setLineWidth(1);
  lbl_Fname->setAlignment(left);
  lbl_Fname->setWordWrap(true);
  lbl_Fname->setGeometry(twips_rect(1020, 1740, 5355, 435));
  // Below the file label, in the panel's free strip.
  lbl_Note = make_label(Pic_C, QString(), twips_rect(1020, 2220, 5355, 195), left);
  QPalette red = lbl_Note->palette();
  red.setColor(QPalette::WindowText, QColor(192, 0, 0));
  lbl_Note->setPalette(red);
  lbl_Note->hide();

  for (int i = 0; i < 3; ++i) {
    Img_BGM[static_cast<std::size_t>(i)]->installEventFilter(this);
    lbl_BGM[static_cast<std::size_t>(i)]->installEventFilter(this);
  }
  connect(Cmd_Set, &Command::Click, this, [this] { Cmd_Set_Click(); });
  connect(Cmd_Can, &Command::Click, this, [this] { Cmd_Can_Click(); });
  connect(Cmd_BGM, &Command::Click, this, [this] { Cmd_BGM_Click(); });
  connect(Cmd_Etc, &Command::Click, this, [this] { Cmd_Etc_Click(); });
}

void Lumevar_P::place_on_screen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const double tx = orvanth::forms::twips_per_pixel_x();
  const double ty = orvanth::forms::twips_per_pixel_y();
  const QRect area = screen->geometry();
  const orvanth::dialog::Placement p = orvanth::dialog::placement(
      area.width() * tx, area.height() * ty, width() * tx, height() * ty);
  move(area.x() + orvanth::dialog::to_pixels(p.left, tx),
       area.y() + orvanth::dialog::to_pixels(p.top, ty));
}

void Lumevar_P::show_choice() {
  const orvanth::dialog::ChoiceView view = orvanth::dialog::choice_view(BgmType);
  for (std::size_t i = 0; i < Img_BGM.size(); ++i) {
    const int source = view.markers[i] == orvanth::dialog::Marker::Chosen ? 1 : 0;
    Img_BGM[i]->setPixmap(Img_Ra[static_cast<std::size_t>(source)]->pixmap());
  }
  if (view.repeat_enabled) {
    BGM_Repeat->setEnabled(true);
  }
  if (view.file_button_enabled) {
    Cmd_BGM->SetEnabled(-1);
  }
}

void Lumevar_P::Form_Load() {
  place_on_screen();
  for (Command* button : findChildren<Command*>()) {
    button->Initialize();
  }
  Cmd_BGM->SetEnabled(0);
  BGM_Repeat->setEnabled(false);
  show_choice();
  // The list is filled first: an empty combo box takes its first entry as
  // text when an entry is added, which would drop the repeat number.
  for (const std::string& entry : orvanth::dialog::repeat_entries()) {
    BGM_Repeat->addItem(QString::fromStdString(entry));
  }
  BGM_Repeat->setEditText(QString::fromStdString(orvanth::dialog::repeat_text(BgmRepeat)));
  lbl_Fname->setText(QFile::decodeName(QByteArray::fromStdString(BgmFile)));
  const auto pointer = orvanth::forms::pointer_position();
  MouseX = pointer ? static_cast<std::int16_t>(pointer->x) : std::int16_t{0};
  MouseY = pointer ? static_cast<std::int16_t>(pointer->y) : std::int16_t{0};
  AnimateOpen(static_cast<orvanth::forms::WindowHandle>(winId()));
  orvanth::dialog::restore_default_pointer();
}

void Lumevar_P::Form_Resize() {
  orvanth::dialog::paint_gradient(backdrop_, size(),
                                  [](int v) { return QColor(v, v, std::min(255, v + 30)); });
  orvanth::dialog::paint_gradient(Pic_C->image(), Pic_C->size(), [](int v) {
    const int g = std::min(255, v + 30);
    return QColor(g, g, g);
  });
  update();
  Pic_C->update();
}

void Lumevar_P::Form_Unload() {
  AnimateClose(static_cast<orvanth::forms::WindowHandle>(winId()));
}

void Lumevar_P::choose(int index) {
  BgmType = static_cast<std::int16_t>(index);
  Cmd_BGM->SetEnabled(0);
  BGM_Repeat->setEnabled(false);
  show_choice();
}

void Lumevar_P::Img_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                  float /*Y*/) {
  choose(Index);
}

void Lumevar_P::lbl_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                  float /*Y*/) {
  choose(Index);
}

void Lumevar_P::Cmd_Set_Click() {
  BgmRepeat = orvanth::dialog::repeat_from_text(BGM_Repeat->currentText().toStdString());
  const std::vector<std::string> tried = orvanth::save_settings(settings_path_);
  if (!tried.empty()) {
    // Closing would drop the user's choice in silence.
    std::vector<std::string> places;
    for (const std::string& place : tried) {
      places.push_back(QFile::decodeName(QByteArray::fromStdString(place)).toStdString());
    }
    const std::string text = orvanth::dialog::save_failed_text(places);
    std::fprintf(stderr, "%s: %s\n", orvanth::dialog::kSaveFailedCaption.data(), text.c_str());
    std::fflush(stderr);
    QMessageBox::warning(this, text_of(orvanth::dialog::kSaveFailedCaption), text_of(text));
    return;
  }
  close();
}

void Lumevar_P::Cmd_Can_Click() { close(); }

void Lumevar_P::Cmd_BGM_Click() {
  const QString path = QFileDialog::getOpenFileName(
      this, text_of(orvanth::dialog::kChooserTitle), QString(),
      text_of(orvanth::dialog::kChooserFilter), nullptr, QFileDialog::HideNameFilterDetails);
  if (path.isEmpty()) {
    return;
  }
  const std::string bytes = QFile::encodeName(path).toStdString();
  const orvanth::dialog::FileChoice verdict = orvanth::dialog::check_file_choice(bytes);
  lbl_Note->setText(orvanth::dialog::text_of(orvanth::dialog::refusal_note(verdict)));
  lbl_Note->setVisible(verdict != orvanth::dialog::FileChoice::Accepted);
  if (verdict != orvanth::dialog::FileChoice::Accepted) {
    return;
  }
  BgmFile = bytes;
  lbl_Fname->setText(path);
}

void Lumevar_P::Cmd_Etc_Click() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(orvanth::local_page_path())));
  orvanth::dialog::restore_default_pointer();
}

void Lumevar_P::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (backdrop_.isNull()) {
    painter.fillRect(rect(), orvanth::dialog::kFormBackground);
    return;
  }
  painter.drawImage(0, 0, backdrop_);
}

void Lumevar_P::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Form_Resize();
}

void Lumevar_P::closeEvent(QCloseEvent* event) {
  // Every way out (both buttons and the system's close request) unloads once.
  if (!unloaded_) {
    unloaded_ = true;
    Form_Unload();
  }
  QDialog::closeEvent(event);
}

void Lumevar_P::keyPressEvent(QKeyEvent* event) {
  // The form has no cancel key: Escape must not close it past Form_Unload.
  QWidget::keyPressEvent(event);
}

bool Lumevar_P::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* press = static_cast<QMouseEvent*>(event);
  const int button = orvanth::dialog::button_code(press->button());
  const int shift = orvanth::dialog::shift_code(press->modifiers());
  const QPointF at = press->position();
  const auto x = static_cast<float>(at.x() * orvanth::forms::twips_per_pixel_x());
  const auto y = static_cast<float>(at.y() * orvanth::forms::twips_per_pixel_y());
  for (int i = 0; i < 3; ++i) {
    if (watched == Img_BGM[static_cast<std::size_t>(i)]) {
      Img_BGM_MouseDown(i, button, shift, x, y);
      return true;
    }
    if (watched == lbl_BGM[static_cast<std::size_t>(i)]) {
      lbl_BGM_MouseDown(i, button, shift, x, y);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowSettingsDialog() {
  Lumevar_P form;
  orvanth::forms::note_form_loaded();
  form.Form_Load();
  form.exec();
  orvanth::forms::note_form_unloaded();
}

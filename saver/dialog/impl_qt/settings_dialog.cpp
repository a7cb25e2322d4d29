#include "saver/dialog/impl_qt/settings_dialog.h"

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
#include <memory>
#include "saver/art/resources.h"
#include "saver/button/impl_qt/command_button.h"
#include "saver/button/property_bag.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/local_page.h"

namespace orvanth::dialog {
namespace {

const QColor kFormBackground(192, 192, 192);
const QColor kPanelBackground(224, 224, 224);

QString text_of(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A control's rectangle from its design position and size in twips.
QRect design_rect(int left, int top, int width, int height) {
  const PixelRect r = twips_rect(left, top, width, height);
  return {r.x, r.y, r.width, r.height};
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
// face this system has needs more room than the design size, so no caption
// is cut.
QLabel* make_label(QWidget* parent, const QString& caption, QRect design, Qt::Alignment align) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(caption);
  label->setFont(Command::design_font());
  label->setAlignment(align);
  const QSize needed = label->sizeHint();
  label->setGeometry(design.x(), design.y(), std::max(design.width(), needed.width()),
                     std::max(design.height(), label->fontMetrics().height()));
  return label;
}

Command* make_command(QWidget* parent, const char* caption, QRect design) {
  auto* button = new Command(parent);
  PropertyBag bag;
  bag.write_property("Caption", std::string(caption), std::string("Command"));
  button->read_properties(bag);
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
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
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

namespace {

// What the handlers ask of the form, done with its widgets.
class QtFace final : public orvanth::dialog::FormView {
 public:
  explicit QtFace(Lumevar_P& form) : form_(form) {}

 private:
  orvanth::forms::WindowHandle window_handle() const override {
    return static_cast<orvanth::forms::WindowHandle>(form_.winId());
  }
  std::optional<PixelRect> screen_area() const override {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
      return std::nullopt;
    }
    const QRect area = screen->geometry();
    return PixelRect{area.x(), area.y(), area.width(), area.height()};
  }
  PixelRect form_size() const override { return {0, 0, form_.width(), form_.height()}; }
  void move_to(int x, int y) override { form_.move(x, y); }
  void initialize_buttons() override {
    for (Command* button : form_.findChildren<Command*>()) {
      button->Initialize();
    }
  }
  void show_markers(const std::array<Marker, 3>& markers) override {
    for (std::size_t i = 0; i < form_.Img_BGM.size(); ++i) {
      const std::size_t source = markers[i] == Marker::kChosen ? 1 : 0;
      form_.Img_BGM[i]->setPixmap(form_.Img_Ra[source]->pixmap());
    }
  }
  void set_repeat_enabled(bool enabled) override { form_.BGM_Repeat->setEnabled(enabled); }
  void set_file_button_enabled(bool enabled) override {
    form_.Cmd_BGM->set_enabled(enabled ? -1 : 0);
  }
  void fill_repeat_list(const std::vector<std::string>& entries) override {
    for (const std::string& entry : entries) {
      form_.BGM_Repeat->addItem(QString::fromStdString(entry));
    }
  }
  void set_repeat_text(const std::string& text) override {
    form_.BGM_Repeat->setEditText(QString::fromStdString(text));
  }
  std::string repeat_box_text() const override {
    return form_.BGM_Repeat->currentText().toStdString();
  }
  void set_file_label(const std::string& path) override {
    form_.lbl_Fname->setText(QFile::decodeName(QByteArray::fromStdString(path)));
  }
  void show_note(std::string_view note) override {
    form_.lbl_Note->setText(text_of(note));
    form_.lbl_Note->setVisible(!note.empty());
  }
  std::string display_name(const std::string& path) const override {
    return QFile::decodeName(QByteArray::fromStdString(path)).toStdString();
  }
  void warn(std::string_view caption, std::string_view text) override {
    QMessageBox::warning(&form_, text_of(caption), text_of(text));
  }
  ChosenFile choose_file() override {
    const QString path = QFileDialog::getOpenFileName(&form_, text_of(kChooserTitle), QString(),
                                                      text_of(kChooserFilter), nullptr,
                                                      QFileDialog::HideNameFilterDetails);
    if (path.isEmpty()) {
      return {};
    }
    return {QFile::encodeName(path).toStdString()};
  }
  void open_maker_page() override {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(local_page_path())));
  }
  void set_busy_pointer(bool busy) override {
    if (busy) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      restore_default_pointer();
    }
  }
  void request_unload() override { form_.close(); }
  void run_modal() override { form_.exec(); }

  Lumevar_P& form_;
};

}  // namespace

}  // namespace orvanth::dialog

using orvanth::dialog::design_rect;
using orvanth::dialog::text_of;

Lumevar_P::Lumevar_P(std::string settings_path)
    : orvanth::dialog::SettingsForm(std::move(settings_path),
                                    std::make_unique<orvanth::dialog::QtFace>(*this)) {
  setWindowTitle(text_of(orvanth::dialog::kCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const QRect client =
      design_rect(0, 0, orvanth::dialog::kFormWidthTwips, orvanth::dialog::kFormHeightTwips);
  setFixedSize(client.size());
  const QImage icon = orvanth::dialog::picture_image(orvanth::art::icon());
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
  Pic_C->setGeometry(design_rect(180, 240, 6795, 2535));
  Cmd_Etc = make_command(this, "その他の作品", design_rect(2880, 3000, 1875, 375));
  Cmd_Set = make_command(this, "設定", design_rect(4800, 3000, 1095, 375));
  Cmd_Can = make_command(this, "ｷｬﾝｾﾙ", design_rect(5940, 3000, 1035, 375));
  lbl_Credit = make_label(this, text_of(orvanth::dialog::kCreditLine),
                          design_rect(180, 2940, 2475, 195), left);
  QPalette white = lbl_Credit->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  lbl_Credit->setPalette(white);
  Img_Ra[0] = make_image(this, design_rect(8040, 300, 180, 180));
  Img_Ra[1] = make_image(this, design_rect(8040, 600, 180, 180));
  Img_Ra[0]->setPixmap(
      QPixmap::fromImage(orvanth::dialog::picture_image(orvanth::art::marker_empty())));
  Img_Ra[1]->setPixmap(
      QPixmap::fromImage(orvanth::dialog::picture_image(orvanth::art::marker_filled())));

  Shape3 = new QFrame(Pic_C);
  Shape3->setFrameStyle(QFrame::Box | QFrame::Plain);
  Shape3->setLineWidth(1);
  QPalette black = Shape3->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  Shape3->setPalette(black);
  Shape3->setGeometry(design_rect(300, 300, 1695, 315));
  lbl_Title = make_label(Pic_C, QStringLiteral("BGM"), design_rect(300, 360, 1665, 195),
                         Qt::AlignHCenter | Qt::AlignTop);
  Img_BGM[1] = make_image(Pic_C, design_rect(300, 840, 195, 195));
  lbl_BGM[1] =
      make_label(Pic_C, QString::fromUtf8("音楽CD"), design_rect(540, 840, 645, 195), left);
  BGM_Repeat = new QComboBox(Pic_C);
  BGM_Repeat->setEditable(true);
  BGM_Repeat->setInsertPolicy(QComboBox::NoInsert);
  BGM_Repeat->setFont(Command::design_font());
  QPalette base = BGM_Repeat->palette();
  base.setColor(QPalette::Base, Qt::white);
  BGM_Repeat->setPalette(base);
  BGM_Repeat->setGeometry(design_rect(1380, 780, 615, 300));
  lbl_Repeat =
      make_label(Pic_C, QString::fromUtf8("曲目をﾘﾋﾟｰﾄ"), design_rect(2040, 840, 990, 195), left);
  Img_BGM[0] = make_image(Pic_C, design_rect(300, 1140, 195, 195));
  lbl_BGM[0] = make_label(Pic_C, QString::fromUtf8("無し"), design_rect(540, 1140, 345, 195), left);
  Img_BGM[2] = make_image(Pic_C, design_rect(300, 1440, 195, 195));
  lbl_BGM[2] =
      make_label(Pic_C, QString::fromUtf8("MP3、WAV"), design_rect(540, 1440, 900, 195), left);
  Cmd_BGM = make_command(Pic_C, "...", design_rect(540, 1740, 435, 315));
  lbl_Fname = new QLabel(Pic_C);
  // File names are shown as they are, never as markup.
  lbl_Fname->setTextFormat(Qt::PlainText);
  lbl_Fname->setFont(Command::design_font());
  lbl_Fname->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lbl_Fname->setLineWidth(1);
  lbl_Fname->setAlignment(left);
  lbl_Fname->setWordWrap(true);
  lbl_Fname->setGeometry(design_rect(1020, 1740, 5355, 435));
  // Below the file label, in the panel's free strip.
  lbl_Note = make_label(Pic_C, QString(), design_rect(1020, 2220, 5355, 195), left);
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
  // The form has no cancel key: Escape must not close it past Form_Unload,
  // so QDialog's handler, which rejects on Escape, is passed over.
  QWidget::keyPressEvent(event);  // NOLINT(bugprone-parent-virtual-call)
}

bool Lumevar_P::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* press = static_cast<QMouseEvent*>(event);
  const int button = orvanth::dialog::button_code(press->button());
  const int shift = orvanth::dialog::shift_code(press->modifiers());
  const QPointF at = press->position();
  const float x = orvanth::dialog::twips_x(at.x());
  const float y = orvanth::dialog::twips_y(at.y());
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

void show_settings_dialog() {
  Lumevar_P form;
  form.show_modally();
}

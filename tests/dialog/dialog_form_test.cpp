// The loaded form: what it shows for the settings, the choice by marker or
// caption, its layout and faces, the file chooser and the maker's page.
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QListView>
#include <QTimer>
#include <QUrl>
#include <fstream>
#include <set>

#include "saver/dialog/dialog_choice.h"
#include "saver/local_page.h"
#include "tests/dialog/dialog_fixture.h"

namespace orvanth::test {
namespace {

TEST_F(DialogFormTest, CdWithoutRepeatChoosesCdAndAnEmptyEnabledRepeatBox) {
  MouseX = 5;
  MouseY = 6;
  open(1, 0, "");
  EXPECT_EQ(chosen_markers(), std::vector<int>{1});
  EXPECT_TRUE(form_->BGM_Repeat->isEnabled());
  EXPECT_EQ(form_->BGM_Repeat->currentText(), QString());
  EXPECT_EQ(form_->Cmd_BGM->machine().enabled(), 0);
  EXPECT_EQ(form_->lbl_Fname->text(), QString());
  // No pointer on this platform: the animations start from the corner.
  EXPECT_EQ(MouseX, 0);
  EXPECT_EQ(MouseY, 0);
  ASSERT_EQ(form_->BGM_Repeat->count(), 31);
  EXPECT_EQ(form_->BGM_Repeat->itemText(0), QString());
  EXPECT_EQ(form_->BGM_Repeat->itemText(30), QStringLiteral("30"));
}

TEST_F(DialogFormTest, FileWithPathChoosesFileAndKeepsTheRepeatNumber) {
  const std::string path = (folder_ / "曲.mp3").string();
  open(2, 12, path);
  EXPECT_EQ(chosen_markers(), std::vector<int>{2});
  EXPECT_EQ(form_->Cmd_BGM->machine().enabled(), -1);
  EXPECT_FALSE(form_->BGM_Repeat->isEnabled());
  EXPECT_EQ(form_->BGM_Repeat->currentText(), QStringLiteral("12"));
  EXPECT_EQ(form_->lbl_Fname->text(), QString::fromStdString(path));
}

// Which type each press chooses is the handlers' (settings_form_test); here
// that both pictures and captions take a press of any button.
TEST_F(DialogFormTest, ACaptionOrMarkerPressedWithAnyButtonChoosesItsType) {
  for (std::size_t i = 0; i < 3; ++i) {
    for (const bool caption : {false, true}) {
      open(0, 3, "/x.wav");
      QWidget* target = caption ? static_cast<QWidget*>(form_->lbl_BGM[i])
                                : static_cast<QWidget*>(form_->Img_BGM[i]);
      QTest::mousePress(target, caption ? Qt::RightButton : Qt::LeftButton, {}, QPoint(2, 2));
      EXPECT_EQ(chosen_markers(), std::vector<int>{static_cast<int>(i)});
      EXPECT_EQ(form_->BGM_Repeat->isEnabled(), i == 1);
      EXPECT_EQ(form_->Cmd_BGM->machine().enabled(), i == 2 ? -1 : 0);
    }
  }
}

TEST_F(DialogFormTest, ControlsSitAtTheirTwipsPlaces) {
  open(0, 0, "");
  EXPECT_EQ(form_->size(), QSize(479, 252));
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("<Quillon>"));
  EXPECT_EQ(form_->Pic_C->geometry(), QRect(12, 16, 453, 169));
  EXPECT_EQ(form_->Cmd_Etc->geometry(), QRect(192, 200, 125, 25));
  EXPECT_EQ(form_->Cmd_Set->geometry(), QRect(320, 200, 73, 25));
  EXPECT_EQ(form_->Cmd_Can->geometry(), QRect(396, 200, 69, 25));
  EXPECT_EQ(form_->Cmd_BGM->geometry(), QRect(36, 116, 29, 21));
  EXPECT_EQ(form_->BGM_Repeat->geometry(), QRect(92, 52, 41, 20));
  EXPECT_EQ(form_->lbl_Fname->geometry(), QRect(68, 116, 357, 29));
  EXPECT_EQ(form_->Shape3->geometry(), QRect(20, 20, 113, 21));
  EXPECT_EQ(form_->Img_BGM[1]->pos(), QPoint(20, 56));
  EXPECT_EQ(form_->Img_BGM[0]->pos(), QPoint(20, 76));
  EXPECT_EQ(form_->Img_BGM[2]->pos(), QPoint(20, 96));
  EXPECT_EQ(form_->lbl_BGM[1]->pos(), QPoint(36, 56));
  EXPECT_EQ(form_->lbl_Repeat->pos(), QPoint(136, 56));
  EXPECT_EQ(form_->lbl_Credit->pos(), QPoint(12, 196));
  // The two marker sources lie outside the visible client area.
  for (const QLabel* source : form_->Img_Ra) {
    EXPECT_GE(source->x(), form_->width());
  }
  EXPECT_EQ(form_->Cmd_Set->Caption(), QString::fromUtf8("設定"));
  EXPECT_EQ(form_->Cmd_Can->Caption(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  EXPECT_EQ(form_->Cmd_Etc->Caption(), QString::fromUtf8("その他の作品"));
  EXPECT_EQ(form_->Cmd_BGM->Caption(), QStringLiteral("..."));
  EXPECT_TRUE(form_->lbl_Credit->text().endsWith(QStringLiteral("Ver.1.0.0")));
}

TEST_F(DialogFormTest, EveryCaptionHasRoomForItsTextInTheJapaneseFace) {
  open(0, 0, "");
  const std::vector<const QLabel*> labels = {form_->lbl_Title,  form_->lbl_Repeat,
                                             form_->lbl_Credit, form_->lbl_BGM[0],
                                             form_->lbl_BGM[1], form_->lbl_BGM[2]};
  for (const QLabel* label : labels) {
    const QFontInfo face(label->font());
    EXPECT_EQ(face.family(), QStringLiteral("IPAPGothic")) << label->text().toStdString();
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    const QFontMetrics metrics(label->font());
    EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text()))
        << label->text().toStdString();
    EXPECT_GE(label->height(), metrics.height()) << label->text().toStdString();
    // Wholly inside its container.
    EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()))
        << label->text().toStdString();
  }
  // The CD row's caption ends before the repeat box begins.
  EXPECT_LE(form_->lbl_BGM[1]->geometry().right(), form_->BGM_Repeat->x());
  // The credit line ends before the first button.
  EXPECT_LE(form_->lbl_Credit->geometry().right(), form_->Cmd_Etc->x());
}

QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST_F(DialogFormTest, BothGradientsArePaintedAndSurviveRepaints) {
  open(0, 0, "");
  const QImage& form = form_->backdrop();
  ASSERT_EQ(form.size(), form_->size());
  const std::vector<int> rows = orvanth::dialog::gradient_rows(3780, 15, 252);
  EXPECT_EQ(pixel(form, 0, 0), QColor(rows[0], rows[0], rows[0] + 30));
  EXPECT_EQ(pixel(form, 478, 126), QColor(rows[126], rows[126], rows[126] + 30));
  EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), 220);
  const QImage& panel = form_->Pic_C->image();
  ASSERT_EQ(panel.size(), QSize(453, 169));
  const int mid = orvanth::dialog::gradient_rows(2535, 15, 169)[84];
  EXPECT_EQ(pixel(panel, 400, 84), QColor(mid + 30, mid + 30, mid + 30));
  EXPECT_GT(mid, 200);
  // What is on screen after a later repaint: bare form and bare panel spots.
  for (int round = 0; round < 2; ++round) {
    form_->repaint();
    const QImage shown = form_->grab().toImage();
    EXPECT_EQ(pixel(shown, 5, 126), pixel(form, 5, 126));
    EXPECT_EQ(pixel(shown, 5, 2), pixel(form, 5, 2));
    EXPECT_EQ(pixel(shown, 12 + 440, 16 + 84), pixel(panel, 440, 84));
  }
}

TEST(DialogPictureBox, ShowsItsBackgroundUntilPaintedInto) {
  QWidget parent;
  orvanth::dialog::PictureBox box(&parent, QColor(224, 224, 224));
  box.resize(20, 10);
  EXPECT_EQ(box.grab().toImage().pixelColor(10, 5), QColor(224, 224, 224));
  box.image() = QImage(20, 10, QImage::Format_RGB32);
  box.image().fill(QColor(1, 2, 3));
  EXPECT_EQ(box.grab().toImage().pixelColor(10, 5), QColor(1, 2, 3));
}

// Runs act on the file chooser once it is up (polled every 20 ms).
void when_chooser_opens(const std::function<void(QFileDialog*)>& act) {
  auto* poll = new QTimer;
  poll->setInterval(20);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (chooser == nullptr) return;
    poll->stop();
    poll->deleteLater();
    act(chooser);
  });
  poll->start();
}

std::set<QString> listed_names(QFileDialog* chooser) {
  auto* view = chooser->findChild<QListView*>(QStringLiteral("listView"));
  std::set<QString> names;
  if (view == nullptr || view->model() == nullptr) return names;
  const QModelIndex root = view->rootIndex();
  for (int r = 0; r < view->model()->rowCount(root); ++r) {
    names.insert(view->model()->index(r, 0, root).data().toString());
  }
  return names;
}

TEST_F(DialogFormTest, TheChooserOffersMp3AndWavInAnyCaseAndSetsTheFile) {
  for (const char* name : {"a.mp3", "B.MP3", "c.Wav", "d.WAV", "e.txt", "f.mp4", "g.wave"}) {
    std::ofstream(folder_ / name) << "x";
  }
  std::ofstream(settings_, std::ios::binary) << "[Section]\r\n";
  const std::string before = file_bytes(settings_);
  open(2, 0, "");
  QString title;
  QStringList filters;
  std::set<QString> listed;
  when_chooser_opens([&](QFileDialog* chooser) {
    title = chooser->windowTitle();
    filters = chooser->nameFilters();
    chooser->setDirectory(QString::fromStdString(folder_.string()));
    wait_for([&] { return listed_names(chooser).size() >= 4; });
    QTest::qWait(100);  // let the model settle, so a wrongly listed file shows too
    listed = listed_names(chooser);
    // Typed into the name field and confirmed, as the user would.
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("B.MP3"));
    QTest::keyClick(name, Qt::Key_Return);
  });
  click(form_->Cmd_BGM);
  EXPECT_EQ(title, QString::fromUtf8("ﾌｧｲﾙを開く"));
  ASSERT_EQ(filters.size(), 1);
  EXPECT_TRUE(filters[0].startsWith(QString::fromUtf8("BGMﾌｧｲﾙ (MP3 WAV) (")));
  EXPECT_EQ(listed, (std::set<QString>{"a.mp3", "B.MP3", "c.Wav", "d.WAV"}));
  const std::string chosen = (folder_ / "B.MP3").string();
  EXPECT_EQ(BgmFile, chosen);
  EXPECT_EQ(form_->lbl_Fname->text(), QString::fromStdString(chosen));
  // The chosen file goes with the program: "ｷｬﾝｾﾙ" leaves the file as it was.
  click(form_->Cmd_Can);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(file_bytes(settings_), before);
}

// The real chooser's choice through the handlers (settings_form_test has
// every verdict, a cancel included): a refused one shows the note, and the
// previous choice stays shown and saved; names are shown as they are, never
// as markup.
TEST_F(DialogFormTest, ChosenFilesAreShownPlainAndRefusedWhenTheyCouldNotBeKept) {
  // Each in a folder of its own, so the chooser lists only that file.
  const auto path_of_size = [&](const char* sub, std::size_t bytes) {
    const std::string stem = (folder_ / sub).string() + "/";
    return stem + std::string(bytes - stem.size() - 4, 'p') + ".mp3";
  };
  const struct {
    std::string path;
    bool kept;
  } cases[] = {
      {(folder_ / "a" / "<b>BIG <font color=red>red.wav").string(), true},
      {path_of_size("b", 256), false},
      {(folder_ / "c" / "two\nlines.mp3").string(), false},
  };
  const std::string previous = "/keep/this.wav";
  for (const auto& c : cases) {
    const std::filesystem::path file(c.path);
    std::filesystem::create_directory(file.parent_path());
    std::ofstream(file) << "x";
    std::filesystem::remove(settings_);
    open(2, 0, previous);
    when_chooser_opens([&](QFileDialog* chooser) {
      chooser->setDirectory(QString::fromStdString(file.parent_path().string()));
      const QString name = QString::fromStdString(file.filename().string());
      wait_for([&] { return listed_names(chooser).count(name) == 1; });
      // Typed into the name field and confirmed, as the user would.
      auto* field = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(field, nullptr);
      field->setText(name);
      QTest::keyClick(field, Qt::Key_Return);
      if (chooser->isVisible()) {
        chooser->reject();  // a name it did not take fails below instead of hanging
      }
    });
    click(form_->Cmd_BGM);
    const std::string shown = c.kept ? c.path : previous;
    EXPECT_EQ(BgmFile, shown) << c.path.size();
    EXPECT_EQ(form_->lbl_Fname->text().toStdString(), shown) << c.path.size();
    EXPECT_EQ(form_->lbl_Fname->textFormat(), Qt::PlainText);
    EXPECT_EQ(form_->lbl_Note->isVisible(), !c.kept) << c.path.size();
    EXPECT_EQ(form_->lbl_Note->text().isEmpty(), c.kept) << c.path.size();
    click(form_->Cmd_Set);
    EXPECT_EQ(file_bytes(settings_), settings_image(" 2", " 0", shown)) << c.path.size();
  }
}

// Receives the pages the form asks the desktop to open.
class PageCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
  QList<bool> busy;
 public slots:
  void open(const QUrl& url) {
    urls.append(url);
    const QCursor* pointer = QGuiApplication::overrideCursor();
    busy.append(pointer != nullptr && pointer->shape() == Qt::WaitCursor);
  }
};

TEST_F(DialogFormTest, OtherWorksOpensTheMakersPageWithTheBusyPointerMeanwhile) {
  PageCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
  open(0, 0, "");
  click(form_->Cmd_Etc);
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0],
            QUrl::fromLocalFile(QString::fromStdString(orvanth::local_page_path())));
  EXPECT_EQ(catcher.busy, QList<bool>{true});
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(form_->isVisible());
}

}  // namespace
}  // namespace orvanth::test

#include "dialog_form_test.moc"

// The real settings dialog on the offscreen platform, loaded from given
// settings, with its settings file in a fresh temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "saver/button/impl_qt/command_button.h"
#include "saver/dialog/impl_qt/settings_dialog.h"
#include "saver/shell_state.h"
#include "tests/support/files.h"
#include "tests/support/settings_image.h"
#include "tests/support/wait.h"

namespace orvanth::test {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = temp_.path();
    settings_ = folder_ / "Orvanth.ini";
  }
  void TearDown() override { form_.reset(); }

  // Sets the settings as ReadSettings would have, then loads and shows the form.
  void open(std::int16_t type, std::int16_t repeat, const std::string& file) {
    BgmType = type;
    BgmRepeat = repeat;
    BgmFile = file;
    form_ = std::make_unique<Lumevar_P>(settings_.string());
    form_->Form_Load();
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }

  // A real press and release on a button, with the pointer over it.
  static void click(Command* button) {
    const QPoint at(button->width() / 2, button->height() / 2);
    // From a corner first: a move to where the pointer already is sends nothing.
    QCursor::setPos(button->mapToGlobal(QPoint(1, 1)));
    QTest::mouseMove(button, QPoint(1, 1));
    QCursor::setPos(button->mapToGlobal(at));
    QTest::mouseMove(button, at);
    QTest::mousePress(button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(button, Qt::LeftButton, {}, at);
  }

  void type_repeat(const QString& text) {
    form_->BGM_Repeat->setFocus();
    form_->BGM_Repeat->lineEdit()->selectAll();
    QTest::keyClick(form_->BGM_Repeat->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(form_->BGM_Repeat->lineEdit(), text);
  }

  // Which of the three markers shows the chosen picture.
  std::vector<int> chosen_markers() const {
    const QImage chosen = form_->Img_Ra[1]->pixmap().toImage();
    std::vector<int> out;
    for (int i = 0; i < 3; ++i) {
      if (form_->Img_BGM[static_cast<std::size_t>(i)]->pixmap().toImage() == chosen) {
        out.push_back(i);
      }
    }
    return out;
  }

  TempFolder temp_{"orvanth-dlg"};
  std::filesystem::path folder_;
  std::filesystem::path settings_;
  std::unique_ptr<Lumevar_P> form_;
};

// The form's tests and the save tests share the one fixture.
using DialogFormTest = DialogTest;
using DialogSaveTest = DialogTest;

}  // namespace orvanth::test

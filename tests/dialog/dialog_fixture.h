// The real settings dialog on the offscreen platform, loaded from given
// settings, with its settings file in a fresh temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "saver/button/command_button.h"
#include "saver/dialog/settings_dialog.h"
#include "saver/shell_state.h"

namespace orvanth::testing {

// Polls every 20 ms until the condition holds or ten seconds pass.
inline bool wait_for(const std::function<bool()>& cond, int limit_ms = 10000) {
  QElapsedTimer t;
  t.start();
  while (!cond()) {
    if (t.elapsed() > limit_ms) return false;
    QTest::qWait(20);
  }
  return true;
}

inline std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The settings file as the three writes make it from nothing.
inline std::string settings_image(const std::string& type, const std::string& repeat,
                                  const std::string& file) {
  return "[Section]\r\nBGM\x8B\xE6\x95\xAA=" + type + "\r\nBGM\xD8\xCB\xDF\xB0\xC4=" + repeat +
         "\r\nBGM\xCC\xA7\xB2\xD9=" + file + "\r\n";
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanth-dlg.XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    settings_ = folder_ / "Orvanth.ini";
  }
  void TearDown() override {
    form_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

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

  std::filesystem::path folder_;
  std::filesystem::path settings_;
  std::unique_ptr<Lumevar_P> form_;
};

}  // namespace orvanth::testing

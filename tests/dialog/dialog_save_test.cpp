// What "設定", "ｷｬﾝｾﾙ" and the close request leave in the settings file.
#include <QSignalSpy>

#include "tests/dialog/dialog_fixture.h"

namespace orvanth::test {
namespace {

TEST_F(DialogSaveTest, SetWritesTheThreeValuesInOrderAndCloses) {
  open(1, 7, "");
  click(form_->Cmd_Set);
  EXPECT_EQ(file_bytes(settings_), settings_image(" 1", " 7", ""));
  EXPECT_FALSE(form_->isVisible());
}

TEST_F(DialogSaveTest, AnUnknownTypeIsWrittenBackUnchanged) {
  open(5, 2, "");
  EXPECT_TRUE(chosen_markers().empty());
  EXPECT_FALSE(form_->BGM_Repeat->isEnabled());
  EXPECT_EQ(form_->Cmd_BGM->machine().enabled(), 0);
  click(form_->Cmd_Set);
  EXPECT_EQ(file_bytes(settings_), settings_image(" 5", " 2", ""));
}

TEST_F(DialogSaveTest, SetReplacesValuesInAnExistingFileAndKeepsTheRest) {
  write_settings_file(settings_, "[Other]\r\nx=1\r\n" + settings_image(" 0", " 0", ""));
  open(1, 0, "");
  type_repeat("9");
  click(form_->Cmd_Set);
  EXPECT_EQ(file_bytes(settings_), "[Other]\r\nx=1\r\n" + settings_image(" 1", " 9", ""));
}

TEST_F(DialogSaveTest, CancelAndTheCloseRequestWriteNothing) {
  const std::string before = settings_image(" 1", " 4", "");
  for (const bool by_button : {true, false}) {
    write_settings_file(settings_, before);
    open(1, 4, "");
    QTest::mouseClick(form_->Img_BGM[0], Qt::LeftButton);
    type_repeat("20");
    if (by_button) {
      click(form_->Cmd_Can);
    } else {
      form_->close();  // what the system's close request does
    }
    EXPECT_FALSE(form_->isVisible()) << by_button;
    EXPECT_EQ(file_bytes(settings_), before) << by_button;
  }
}

TEST_F(DialogSaveTest, EscapeDoesNotCloseTheForm) {
  open(0, 0, "");
  form_->activateWindow();
  QTest::keyClick(form_.get(), Qt::Key_Escape);
  QTest::qWait(50);
  EXPECT_TRUE(form_->isVisible());
}

}  // namespace
}  // namespace orvanth::test

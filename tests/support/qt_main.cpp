// Widget and form tests need one QApplication on the offscreen platform.
// Without an X window of their own the forms' caption animations have
// nothing to draw, so the X display is not opened at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::unsetenv("DISPLAY");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

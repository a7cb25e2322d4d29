// Widget and form tests need one QApplication on the offscreen platform.
// Without an X window of their own the forms' caption animations have
// nothing to draw, so the X display is not opened at all. Their waits keep
// the event loop running.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>

#include "tests/support/wait.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::unsetenv("DISPLAY");
  QApplication app(argc, argv);
  orvanth::test::set_poll_pause(
      [](std::chrono::milliseconds pause) { QTest::qWait(static_cast<int>(pause.count())); });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// Orvanth.scr /c on the test X server: the dialog's window, "設定" clicked
// with the mouse, and the system's close request.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/files.h"
#include "tests/support/settings_image.h"
#include "tests/support/shell_run.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DialogE2e : public ::testing::Test {
 protected:
  // Starts the dialog and waits until its window is on screen.
  void open_dialog() {
    shell_ = std::make_unique<ShellProcess>(install_, std::vector<std::string>{"/c"});
    ASSERT_TRUE(shell_->started());
    ASSERT_TRUE(wait_for([&] { return (window_ = find_window(x_.display(), "<Quillon>")) != 0; }))
        << "the dialog did not appear";
  }

  XWindowAttributes attributes() const {
    XWindowAttributes a{};
    XGetWindowAttributes(x_.display(), window_, &a);
    return a;
  }

  ShellInstall install_;
  XClient x_;
  std::unique_ptr<ShellProcess> shell_;
  Window window_ = 0;
};

TEST_F(DialogE2e, OpensCentredAcrossAThirdDownAtTheDesignSize) {
  open_dialog();
  const XWindowAttributes a = attributes();
  EXPECT_EQ(a.width, 479);
  EXPECT_EQ(a.height, 252);
  const int screen_w = DisplayWidth(x_.display(), DefaultScreen(x_.display()));
  const int screen_h = DisplayHeight(x_.display(), DefaultScreen(x_.display()));
  EXPECT_EQ(a.x, std::lround(((screen_w * 15 - 7185) / 2) / 15.0));
  EXPECT_EQ(a.y, std::lround(((screen_h * 15 - 3780) / 3) / 15.0));
  if (screen_w == 1280 && screen_h == 1024) {
    EXPECT_EQ(a.x, 400);
    EXPECT_EQ(a.y, 257);
  }
  EXPECT_FALSE(shell_->ended());
}

TEST_F(DialogE2e, ClickingSetWithTheMouseSavesAndEndsTheProgram) {
  write_settings_file(install_.settings(), settings_image(" 1", " 7", ""));
  open_dialog();
  const XWindowAttributes a = attributes();
  // The middle of "設定" (4800, 3000, 1095 x 375 twips).
  const int x = a.x + 320 + 36;
  const int y = a.y + 200 + 12;
  const std::string command = "xdotool mousemove --sync " + std::to_string(x) + " " +
                              std::to_string(y) + " click 1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(shell_->ends_within(10s));
  EXPECT_EQ(shell_->exit_code(), 0);
  EXPECT_EQ(file_bytes(install_.settings()), settings_image(" 1", " 7", ""));
}

TEST_F(DialogE2e, TheSystemsCloseRequestEndsTheProgramWithoutSaving) {
  open_dialog();
  send_close_request(x_.display(), window_);
  ASSERT_TRUE(shell_->ends_within(10s));
  EXPECT_EQ(shell_->exit_code(), 0);
  EXPECT_FALSE(fs::exists(install_.settings()));
  EXPECT_FALSE(fs::exists(install_.config() / "orvanth"));
}

}  // namespace
}  // namespace orvanth::test

// The Win32 Command under Wine on the test X server, as the screen shows it
// (win32/command_host): the bare gradient's first and last rows, the frame
// of each state as the pointer hovers, presses and leaves, and the Click,
// judged by the figures the Qt widget's tests use.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/button/face_figures.h"
#include "tests/renderer/renderer_process.h"
#include "tests/support/wine.h"
#include "tests/support/x_client.h"

namespace {

using namespace std::chrono_literals;
namespace face = orvanth::test::face;
namespace wine = orvanth::test::wine;
using orvanth::art::ButtonPicture;
using orvanth::test::wait_for;

constexpr auto kLong = 60000ms;
// The host form at (100, 100); "設定" at (20, 13), 73 x 25 inside it.
constexpr int kLeft = 100 + 20;
constexpr int kTop = 100 + 13;
constexpr int kWidth = 73;
constexpr int kHeight = 25;

class WineCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    ASSERT_NE(display_, nullptr) << "needs the test X server";
    move_pointer(1000, 900);
  }
  void TearDown() override { host_.reset(); }

  void start(const std::vector<std::string>& arguments) {
    host_.emplace(
        wine::dist().parent_path() / "tests" / "button" / "win32" / "orvanth_command_host.exe",
        arguments, orvanth::test::EnvironmentChanges{}, errors_.path() / "stderr");
    ASSERT_TRUE(
        wait_for([&] { return orvanth::test::find_window(display_, "Command host") != 0; }, kLong));
    // Shown once the first button's face is on screen.
    ASSERT_TRUE(wait_for([&] { return grab() && pixels_(0, 0) != 0x204080U && pixels_(0, 0) != 0; },
                         kLong));
  }

  // The first button as the screen shows it now.
  bool grab() {
    shown_ = orvanth::test::root_pixels(display_, kLeft, kTop, kWidth, kHeight);
    return shown_.size() == static_cast<std::size_t>(kWidth * kHeight);
  }
  face::Pixels pixels_ = [this](int x, int y) {
    return static_cast<std::uint32_t>(shown_[static_cast<std::size_t>(y * kWidth + x)]);
  };

  // Waits until the face's frame is that picture's; "" then.
  std::string frame_becomes(ButtonPicture which) {
    wait_for(
        [&] { return grab() && face::frame_mismatch(pixels_, kWidth, kHeight, which).empty(); },
        10000ms);
    return face::frame_mismatch(pixels_, kWidth, kHeight, which);
  }
  // Left of the caption, which is drawn over the gradient.
  std::string middle_mismatch(bool reversed) {
    return face::gradient_mismatch(pixels_, 4, 16, 4, kHeight - 4, kHeight, reversed);
  }

  void move_pointer(int x, int y) { orvanth::test::move_pointer(display_, x, y); }
  std::string clicks() const {
    std::string text = orvanth::test::file_bytes(errors_.path() / "stderr");
    std::erase(text, '\r');
    return text;
  }

  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
  orvanth::test::TempFolder errors_{"orvanth-wine-cmd"};
  std::optional<wine::Program> host_;
  std::vector<unsigned long> shown_;
};

TEST_F(WineCommand, BareGradientRunsFromLightOnTheFirstRowToDarkOnTheLast) {
  start({"gradient"});
  const auto rows_shown = [&] {
    for (int x = 0; x < kWidth; ++x) {
      if (pixels_(x, 0) != face::kLight || pixels_(x, kHeight - 1) != face::kDark) return false;
    }
    return true;
  };
  wait_for([&] { return grab() && rows_shown(); }, 10000ms);
  for (int x = 0; x < kWidth; ++x) {
    ASSERT_EQ(pixels_(x, 0), face::kLight) << x;
    ASSERT_EQ(pixels_(x, kHeight - 1), face::kDark) << x;
  }
  EXPECT_EQ(face::gradient_mismatch(pixels_, 0, 16, 0, kHeight, kHeight, false), "");
}

TEST_F(WineCommand, HoverPressAndLeaveRepaintTheStatesFrames) {
  start({});
  EXPECT_EQ(frame_becomes(ButtonPicture::Normal), "");
  EXPECT_EQ(middle_mismatch(false), "");
  move_pointer(kLeft + kWidth / 2, kTop + kHeight - 3);
  EXPECT_EQ(frame_becomes(ButtonPicture::HighLight), "");
  EXPECT_EQ(middle_mismatch(true), "") << "hover: dark on top";
  ASSERT_TRUE(orvanth::test::xdotool("mousedown 1"));
  EXPECT_EQ(frame_becomes(ButtonPicture::Pressed), "");
  ASSERT_TRUE(orvanth::test::xdotool("mouseup 1"));
  EXPECT_EQ(frame_becomes(ButtonPicture::HighLightSelect), "");
  EXPECT_TRUE(wait_for([&] { return clicks() == "Click 0\n"; }, 10000ms)) << clicks();
  // The next tick after the pointer left: focused, not hovered.
  move_pointer(1000, 900);
  EXPECT_EQ(frame_becomes(ButtonPicture::Selected), "");
  EXPECT_EQ(middle_mismatch(false), "");
  EXPECT_EQ(clicks(), "Click 0\n");
}

}  // namespace

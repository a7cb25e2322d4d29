// The Windows renderer under Wine on the test X server: its window draws
// the scene, and Escape, WM_CLOSE and the mouse test end it with exit code
// 0; a missing or refused texture file gives both message boxes in order
// and exit code 1. Wine's windows are X windows with their titles.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "common/bmp_file.h"
#include "tests/renderer/renderer_process.h"
#include "tests/support/wine.h"
#include "tests/support/x_client.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;
namespace wine = orvanth::test::wine;
using orvanth::test::find_window;
using orvanth::test::wait_for;

namespace {

constexpr const char* kTitle = "Lumevar_Delphi";
// Starting a Windows program under Wine takes longer than a Linux one.
constexpr auto kLong = 60000ms;

class WineRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    ASSERT_NE(display_, nullptr) << "needs the test X server";
    textures_ = wine::unix_folder("textures");
    ASSERT_FALSE(textures_.empty());
    fs::remove_all(textures_);
    move_pointer(400, 300);
  }
  void TearDown() override {
    renderer_.reset();
    if (display_ != nullptr) {
      wait_for([&] { return find_window(display_, kTitle) == 0; }, 10000ms);
    }
  }

  void start() {
    renderer_.emplace(wine::dist() / "Orvanth.data", std::vector<std::string>{},
                      orvanth::test::EnvironmentChanges{}, errors_.path() / "stderr");
  }
  // Starts it and waits for its first frames.
  void start_drawing() {
    start();
    ASSERT_TRUE(wait_for([&] { return find_window(display_, kTitle) != 0; }, kLong))
        << stderr_text();
    ASSERT_TRUE(wait_for([&] { return middle_colours() > 200; }, kLong)) << "no scene drawn";
  }

  // Distinct colours in a 200 x 200 square at the middle of the screen.
  std::size_t middle_colours() {
    const auto pixels = orvanth::test::root_pixels(display_, 540, 412, 200, 200);
    return std::set<unsigned long>(pixels.begin(), pixels.end()).size();
  }

  void move_pointer(int x, int y) { orvanth::test::move_pointer(display_, x, y); }
  bool keeps_running(std::chrono::milliseconds limit = 1500ms) {
    return !renderer_->ends_within(limit);
  }
  void expect_exit(int code) {
    ASSERT_TRUE(renderer_->ends_within(kLong)) << stderr_text();
    EXPECT_EQ(renderer_->exit_code(), code) << stderr_text();
    EXPECT_TRUE(wait_for([&] { return find_window(display_, kTitle) == 0; }, kLong));
  }
  // Windows writes its lines with CRLF.
  std::string stderr_text() const {
    std::string text = orvanth::test::file_bytes(errors_.path() / "stderr");
    std::erase(text, '\r');
    return text;
  }

  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
  fs::path textures_;
  orvanth::test::TempFolder errors_{"orvanth-wine-err"};
  std::optional<wine::Program> renderer_;
};

TEST_F(WineRenderer, DrawsAMovingSceneAndEscapeEndsItWithZero) {
  orvanth::test::write_texture_files(textures_);
  start_drawing();
  const auto first = orvanth::test::root_pixels(display_, 540, 412, 200, 200);
  EXPECT_TRUE(wait_for(
      [&] { return orvanth::test::root_pixels(display_, 540, 412, 200, 200) != first; }, 1000ms))
      << "the picture did not change within a second";
  ASSERT_TRUE(orvanth::test::xdotool("keydown a keyup a"));
  EXPECT_TRUE(keeps_running());
  ASSERT_TRUE(orvanth::test::xdotool("keydown Escape"));
  expect_exit(0);
  orvanth::test::xdotool("keyup Escape");
}

TEST_F(WineRenderer, AClosePostedToItsWindowEndsItWithZero) {
  orvanth::test::write_texture_files(textures_);
  start_drawing();
  ASSERT_EQ(wine::probe({"close", kTitle}), 0);
  expect_exit(0);
}

TEST_F(WineRenderer, PointerMustMoveMoreThan30OnBothAxes) {
  orvanth::test::write_texture_files(textures_);
  start_drawing();
  move_pointer(430, 331);  // 30 across, 31 down: not far enough
  EXPECT_TRUE(keeps_running());
  move_pointer(431, 331);
  expect_exit(0);
}

TEST_F(WineRenderer, MissingOrRefusedFilesGiveBothBoxesInOrderAndExitOne) {
  const std::string folder = wine::folder("textures");
  struct Case {
    const char* what;
    const char* first_box;
  };
  for (const Case& c :
       {Case{"missing", "Error opening \""}, Case{"32-bit", "Error reading bitmap data"}}) {
    SCOPED_TRACE(c.what);
    fs::remove_all(textures_);
    orvanth::test::write_texture_files(textures_, 3);
    if (std::string(c.what) == "32-bit") {
      // A 32-bit picture, as other programs write them, is refused too.
      std::vector<std::uint8_t> rgb(4 * 4 * 3, 0x40);
      auto bytes = orvanth::encode_bmp24(4, 4, rgb.data());
      bytes[28] = 32;
      std::ofstream(textures_ / "Orvanth03.bmp", std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    }
    start();
    ASSERT_TRUE(wait_for([&] { return find_window(display_, "BMP Unit") != 0; }, kLong))
        << stderr_text();
    EXPECT_EQ(find_window(display_, "Loading Textures"), 0U) << "the second box came first";
    ASSERT_EQ(wine::probe({"close", "BMP Unit"}), 0);
    ASSERT_TRUE(wait_for([&] { return find_window(display_, "Loading Textures") != 0; }, kLong));
    EXPECT_FALSE(renderer_->ended()) << "ended before the second box was answered";
    ASSERT_EQ(wine::probe({"close", "Loading Textures"}), 0);
    expect_exit(1);
    const std::string file = folder + "Orvanth03.bmp";
    std::string said = std::string("BMP Unit: ") + c.first_box;
    said += std::string(c.what) == "missing" ? file : "";
    said += "\nLoading Textures: Unable to load " + file + "\n";
    EXPECT_NE(stderr_text().find(said), std::string::npos) << stderr_text();
  }
}

// On a scaled screen the per-monitor aware renderer covers the screen in its
// own pixels, and draws the scene there.
class WineRendererScaled : public WineRenderer, public ::testing::WithParamInterface<int> {};

TEST_P(WineRendererScaled, CoversTheScreenAtItsOwnResolution) {
  std::string manifest;
  ASSERT_EQ(wine::probe({"manifest", wine::windows_path(wine::dist() / "Orvanth.data")}, &manifest),
            0);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos) << manifest;
  wine::ScreenDpi dpi(GetParam());
  ASSERT_TRUE(dpi.set());
  orvanth::test::write_texture_files(textures_);
  start_drawing();
  std::string geometry;
  ASSERT_EQ(wine::probe({"geometry", kTitle}, &geometry), 0);
  const std::string screen =
      std::to_string(DisplayWidth(display_, 0)) + " " + std::to_string(DisplayHeight(display_, 0));
  EXPECT_EQ(geometry.substr(0, geometry.find_first_of("\r\n")), "0 0 " + screen + " 0 0 " + screen);
  ASSERT_EQ(wine::probe({"close", kTitle}), 0);
  expect_exit(0);
}

INSTANTIATE_TEST_SUITE_P(Dpi, WineRendererScaled, ::testing::Values(144, 192),
                         [](const auto& test) { return std::to_string(test.param); });

TEST(WineTextureFolder, IsOursInTheLocalApplicationDataFolder) {
  if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
  const std::string local = wine::folder("local");
  ASSERT_FALSE(local.empty());
  EXPECT_EQ(wine::folder("textures"), local + "\\Orvanth\\");
  EXPECT_NE(local.find("AppData\\Local"), std::string::npos) << local;
}

}  // namespace

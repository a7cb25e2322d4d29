// Orvanth.scr /s in a Wayland session with no X server (headless sway, two
// outputs, an ordinary user): the seven textures, the scene on both outputs,
// the lock refusing a second run and the dialog, a preview ending at once,
// the run ending with its renderer, on Escape or on the renderer's mouse
// test, and the dialog as a Wayland window.
#include <gtest/gtest.h>

#include "common/texture_files.h"
#include "tests/hosted/wayland_scene.h"
#include "tests/support/headless_sway.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr char kShell[] = ORVANTH_BIN_DIR "/Orvanth.scr";
constexpr char kRenderer[] = ORVANTH_BIN_DIR "/Orvanth.data";
// HEADLESS-1 (1280 x 720) and HEADLESS-2 (1920 x 1080) side by side.
constexpr int kLayoutWidth = 1280 + 1920;
constexpr int kLayoutHeight = 1080;

class WaylandRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sway_.ready()) << file_bytes(sway_.home() / "sway.log");
    ASSERT_TRUE(sway_.add_output());
  }
  void TearDown() override {
    for (const char* program : {kShell, kRenderer}) {
      for (const pid_t pid : processes_of(program)) {
        ::kill(pid, SIGKILL);
      }
    }
  }

  std::unique_ptr<Process> shell(const std::vector<std::string>& arguments) {
    return sway_.start(kShell, arguments, {}, sway_.home() / "shell.log");
  }
  bool both_end() {
    return run_->ends_within(seconds(20)) && run_->exit_code() == 0 &&
           wait_for([] { return processes_of(kRenderer).empty(); });
  }
  // Escape typed until the run ends: wtype's keyboard may come before the
  // renderer has bound it.
  bool escape_ends_run() {
    return wait_for([&] {
      sway_.run("wtype", {"-s", "300", "-k", "Escape"});
      return run_->ends_within(seconds(2));
    });
  }
  std::string log() { return file_bytes(sway_.home() / "shell.log"); }

  HeadlessSway sway_;
  std::unique_ptr<Process> run_;
};

TEST_F(WaylandRun, ShowsTheSceneOnBothOutputsRefusesASecondRunAndEndsWithItsRenderer) {
  run_ = shell({"/s"});
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-1")) << log();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-2")) << log();
  EXPECT_TRUE(scene_moves_on(sway_, "HEADLESS-2"));
  for (int n = 0; n < kTextureFileCount; ++n) {
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "Orvanth%02d.bmp", n);
    EXPECT_TRUE(fs::is_regular_file(sway_.home() / ".cache/orvanth" / leaf)) << leaf;
  }
  // Nothing of a second run, the dialog or a preview while this one is up.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"/s"}, std::vector<std::string>{"/c"},
        std::vector<std::string>{"/p", "4194305"}}) {
    const auto other = shell(arguments);
    EXPECT_TRUE(other->ends_within(seconds(20)) && other->exit_code() == 0) << arguments[0];
    EXPECT_EQ(processes_of(kRenderer).size(), 1U) << arguments[0];
  }
  EXPECT_FALSE(run_->ends_within(milliseconds(500)));
  EXPECT_TRUE(escape_ends_run()) << log();
  EXPECT_TRUE(both_end()) << log();
}

// The test X server stands in for XWayland: the shell runs on X, where the
// pointer over Wayland surfaces is never seen, and still ends with the
// renderer, which draws on Wayland.
TEST_F(WaylandRun, WithAnXServerTooTheRunEndsWithItsRenderer) {
  const char* display = std::getenv("DISPLAY");
  ASSERT_NE(display, nullptr) << "needs the test X server (scripts/test-servers.sh)";
  run_ =
      sway_.start(kShell, {"/s"}, {"DISPLAY=" + std::string(display)}, sway_.home() / "shell.log");
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-2")) << log();
  EXPECT_FALSE(run_->ends_within(milliseconds(500)));
  EXPECT_TRUE(escape_ends_run()) << log();
  EXPECT_TRUE(both_end()) << log();
}

TEST_F(WaylandRun, TheDialogIsAWaylandWindow) {
  run_ = shell({"/c"});
  EXPECT_TRUE(wait_for([&] {
    return sway_.run("/bin/sh", {"-c", "swaymsg -t get_tree | grep -qF '\"name\": \"<Quillon>\"'"});
  })) << log();
  EXPECT_FALSE(run_->ended());
}

TEST_F(WaylandRun, ThirtyPixelsEachWayKeepsItThirtyOneEndsBoth) {
  VirtualPointer pointer(sway_);
  ASSERT_TRUE(pointer.ready());
  ASSERT_TRUE(pointer.move_to(100, 100, kLayoutWidth, kLayoutHeight));
  run_ = shell({"/s"});
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-1")) << log();
  ASSERT_TRUE(pointer.move_to(100, 100, kLayoutWidth, kLayoutHeight));
  ASSERT_TRUE(pointer.move_to(130, 130, kLayoutWidth, kLayoutHeight));
  EXPECT_FALSE(run_->ends_within(milliseconds(1500))) << log();
  ASSERT_TRUE(pointer.move_to(131, 131, kLayoutWidth, kLayoutHeight));
  EXPECT_TRUE(both_end()) << log();
}

}  // namespace
}  // namespace orvanth::test

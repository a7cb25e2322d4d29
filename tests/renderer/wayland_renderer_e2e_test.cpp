// Orvanth.data on a Wayland compositor with no X server: headless sway with
// two outputs, run as an ordinary user. The layer-shell overlay and, forced,
// the full-screen xdg_toplevel fallback each show the scene on both outputs
// and end on the mouse test and on Escape, follow outputs as they come and
// go, and end with the compositor.
#include <gtest/gtest.h>

#include "tests/hosted/wayland_scene.h"
#include "tests/renderer/renderer_process.h"
#include "tests/support/headless_sway.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

// HEADLESS-1 is 1280 x 720 at (0, 0), create_output's HEADLESS-2 1920 x 1080
// beside it: the layout the virtual pointer's positions are in.
constexpr int kLayoutWidth = 1280 + 1920;
constexpr int kLayoutHeight = 1080;

struct Shell {
  const char* name;
  std::vector<std::string> environment;
};
void PrintTo(const Shell& shell, std::ostream* out) { *out << shell.name; }

class WaylandRenderer : public ::testing::TestWithParam<Shell> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sway_.ready()) << file_bytes(sway_.home() / "sway.log");
    ASSERT_TRUE(sway_.add_output());
    write_texture_files(sway_.home() / ".cache/orvanth");
    sway_.give_to_user(sway_.home() / ".cache");
  }

  void start() {
    renderer_ = sway_.start(ORVANTH_BIN_DIR "/Orvanth.data", {}, GetParam().environment,
                            sway_.home() / "renderer.log");
  }

  bool ended_cleanly() {
    return renderer_->ends_within(seconds(20)) && renderer_->exit_code() == 0;
  }

  std::string log() { return file_bytes(sway_.home() / "renderer.log"); }

  HeadlessSway sway_;
  std::unique_ptr<Process> renderer_;
};

TEST_P(WaylandRenderer, ShowsTheMovingSceneOnBothOutputsHidesTheCursorAndEndsOnTheMouseTest) {
  VirtualPointer pointer(sway_);
  ASSERT_TRUE(pointer.ready());
  ASSERT_TRUE(pointer.move_to(100, 100, kLayoutWidth, kLayoutHeight));
  // The desktop's cursor, in a corner of the picture the scene keeps still.
  constexpr char kAroundPointer[] = "90,90 32x32";
  ASSERT_TRUE(wait_for([&] { return cursor_shown(sway_, kAroundPointer) == true; }));
  start();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-1")) << log();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-2")) << log();
  EXPECT_TRUE(scene_moves_on(sway_, "HEADLESS-1"));

  // The pointer enters where it is: the start point. 30 on both axes is
  // not far enough, 31 is.
  ASSERT_TRUE(pointer.move_to(100, 100, kLayoutWidth, kLayoutHeight));
  EXPECT_EQ(cursor_shown(sway_, kAroundPointer), false) << "the cursor shows over the scene";
  ASSERT_TRUE(pointer.move_to(130, 130, kLayoutWidth, kLayoutHeight));
  EXPECT_FALSE(renderer_->ends_within(milliseconds(1500))) << log();
  ASSERT_TRUE(pointer.move_to(131, 131, kLayoutWidth, kLayoutHeight));
  EXPECT_TRUE(ended_cleanly()) << log();
}

TEST_P(WaylandRenderer, EndsOnEscapeNotOnOtherKeys) {
  start();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-2")) << log();
  // wtype's keyboard is the seat's only one: each run brings it anew.
  for (int run = 0; run < 3; ++run) {
    ASSERT_TRUE(sway_.run("wtype", {"-s", "300", "-k", "a"}));
  }
  EXPECT_FALSE(renderer_->ends_within(milliseconds(1500))) << log();
  // The renderer may bind that keyboard after the key went: typed again
  // until it ends.
  EXPECT_TRUE(wait_for([&] {
    sway_.run("wtype", {"-s", "300", "-k", "Escape"});
    return renderer_->ends_within(seconds(2));
  }));
  EXPECT_TRUE(ended_cleanly()) << log();
}

TEST_P(WaylandRenderer, FollowsOutputsAddedAndTakenAway) {
  start();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-2")) << log();
  ASSERT_TRUE(sway_.add_output());
  EXPECT_TRUE(scene_on(sway_, "HEADLESS-3")) << log();
  ASSERT_TRUE(sway_.message({"output", "HEADLESS-2", "disable"}));
  EXPECT_FALSE(renderer_->ends_within(milliseconds(1500))) << log();
  EXPECT_TRUE(scene_moves_on(sway_, "HEADLESS-3")) << log();
}

TEST_P(WaylandRenderer, EndsWithTheCompositor) {
  start();
  ASSERT_TRUE(scene_on(sway_, "HEADLESS-1")) << log();
  sway_.end();
  EXPECT_TRUE(ended_cleanly());
  EXPECT_TRUE(processes_of(ORVANTH_BIN_DIR "/Orvanth.data").empty());
}

INSTANTIATE_TEST_SUITE_P(Shells, WaylandRenderer,
                         ::testing::Values(Shell{"LayerShell", {}},
                                           Shell{"FullScreenToplevel",
                                                 {"ORVANTH_WAYLAND_SHELL=xdg"}}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvanth::test

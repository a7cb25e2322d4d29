// orvanth --idle on headless sway (its idle protocol is KDE's, as in sway
// 1.7), on headless Mutter (GNOME's idle monitor over D-Bus) and on the test
// X server (MIT-SCREEN-SAVER): no run while input arrives, a run once the session has been idle,
// another after that one ended, and the end of the session ending everything.
#include <gtest/gtest.h>

#include "tests/hosted/wayland_scene.h"
#include "tests/support/headless_mutter.h"
#include "tests/support/headless_sway.h"

namespace orvanth::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr char kShell[] = ORVANTH_BIN_DIR "/Orvanth.scr";
constexpr char kRenderer[] = ORVANTH_BIN_DIR "/Orvanth.data";

bool run_up() { return !processes_of(kRenderer).empty(); }

void end_all() {
  for (const char* program : {kShell, kRenderer}) {
    for (const pid_t pid : processes_of(program)) {
      ::kill(pid, SIGKILL);
    }
  }
}

class IdleLauncher : public ::testing::Test {
 protected:
  void TearDown() override { end_all(); }
};

TEST_F(IdleLauncher, OnWaylandStartsARunAfterIdleTimeOnlyAndEndsWithTheSession) {
  HeadlessSway sway;
  ASSERT_TRUE(sway.ready());
  VirtualPointer pointer(sway);
  ASSERT_TRUE(pointer.ready());
  // 1.2 seconds.
  const auto launcher = sway.start(kShell, {"--idle", "0.02"}, {}, sway.home() / "idle.log");
  for (int move = 0; move < 16; ++move) {
    ASSERT_TRUE(pointer.move_to(100 + move % 2, 100, 1280, 720));
    // The pause between moves is this wait, which must fail.
    ASSERT_FALSE(wait_for(run_up, milliseconds(250))) << "a run while the pointer moved";
  }
  ASSERT_TRUE(wait_for(run_up)) << file_bytes(sway.home() / "idle.log");
  EXPECT_TRUE(scene_on(sway, "HEADLESS-1"));
  // The run ends on Escape; idle again, the next one comes.
  ASSERT_TRUE(wait_for([&] {
    sway.run("wtype", {"-s", "300", "-k", "Escape"});
    return !run_up();
  }));
  EXPECT_TRUE(wait_for(run_up));
  EXPECT_EQ(processes_of(kRenderer).size(), 1U);
  sway.end();
  EXPECT_TRUE(launcher->ends_within(seconds(20)));
  EXPECT_TRUE(wait_for([] { return processes_of(kShell).empty() && !run_up(); }));
}

TEST_F(IdleLauncher, OnMutterStartsARunAfterIdleTimeOnlyAndEndsWithTheSession) {
  HeadlessMutter mutter;
  ASSERT_TRUE(mutter.ready()) << file_bytes(mutter.home() / "mutter.log");
  // Input just now, so the session is not idle when the launcher asks.
  ASSERT_TRUE(mutter.input("0.2")->ends_within(seconds(20)));
  // 3 seconds; the pointer moves for 5.
  const auto launcher = mutter.start(kShell, {"--idle", "0.05"}, {}, mutter.home() / "idle.log");
  const auto moves = mutter.input("5");
  EXPECT_FALSE(wait_for(run_up, milliseconds(4500))) << "a run while the pointer moved";
  ASSERT_TRUE(moves->ends_within(seconds(20)));
  ASSERT_EQ(moves->exit_code(), 0) << file_bytes(mutter.home() / "input.log");
  ASSERT_TRUE(wait_for(run_up)) << file_bytes(mutter.home() / "idle.log");
  // No layer shell here: the renderer's full-screen xdg_toplevel, chosen on
  // its own, has the keyboard, and Escape ends the run; idle again, the
  // next one comes. The renderer's process is up before its window has the
  // keyboard, so Escape is pressed until the run ends.
  ASSERT_TRUE(wait_for(
      [&] {
        mutter.input("escape")->ends_within(seconds(20));
        return wait_for([] { return !run_up(); }, milliseconds(1000));
      },
      seconds(60)))
      << file_bytes(mutter.home() / "idle.log");
  EXPECT_TRUE(wait_for(run_up));
  EXPECT_EQ(processes_of(kRenderer).size(), 1U);
  EXPECT_TRUE(mutter.end());
  EXPECT_TRUE(launcher->ends_within(seconds(20)));
  EXPECT_TRUE(wait_for([] { return processes_of(kShell).empty() && !run_up(); }));
}

TEST_F(IdleLauncher, OnX11StartsARunAfterIdleTimeOnly) {
  // Through XTEST, as input: a warp leaves the idle time alone.
  const auto move_pointer = [](int move) {
    Process xdotool("/usr/bin/xdotool", {"mousemove", std::to_string(100 + move % 2), "100"});
    return xdotool.ends_within(seconds(10));
  };
  // Input just now, so the server is not idle already when the launcher asks.
  ASSERT_TRUE(move_pointer(1));
  Process launcher(kShell, {"--idle", "0.02"}, {{"WAYLAND_DISPLAY", std::nullopt}});
  for (int move = 0; move < 16; ++move) {
    ASSERT_TRUE(move_pointer(move));
    ASSERT_FALSE(wait_for(run_up, milliseconds(250))) << "a run while the pointer moved";
  }
  EXPECT_TRUE(wait_for(run_up));
  launcher.signal(SIGTERM);
  EXPECT_TRUE(launcher.ends_within(seconds(20)));
  EXPECT_TRUE(wait_for([] { return !run_up(); }));
}

}  // namespace
}  // namespace orvanth::test

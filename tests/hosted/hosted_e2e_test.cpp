// Orvanth.scr hosted as xscreensaver's hacks are, on the test X and sound
// servers: the preview pane's form in a window of the test's own, two hosted
// copies at once (two monitors), and the end on a signal, hosted or /s.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>

#include "tests/hosted/scene_check.h"
#include "tests/support/shell_run.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr milliseconds kLong = seconds(20);
constexpr double kToneHz = 440;

std::string hex(Window w) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(w));
  return text;
}

class HostedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(x_.display(), nullptr);
    fs::create_directories(runtime_.path());
  }
  // The shell with its own user folders and a runtime folder of the test's.
  std::unique_ptr<Process> start(const std::vector<std::string>& args,
                                 std::optional<Window> environment_host = std::nullopt) {
    EnvironmentChanges env = install_.environment();
    env["XDG_RUNTIME_DIR"] = runtime_.path().string();
    env["XSCREENSAVER_WINDOW"] =
        environment_host ? std::optional(hex(*environment_host)) : std::nullopt;
    return std::make_unique<Process>(install_.program(), args, env);
  }
  bool renderers_gone_within(milliseconds limit) {
    return wait_for([&] { return processes_of(install_.renderer()).empty(); }, limit);
  }
  void play_tone() { write_settings(install_, 2, 0, fixtures_.mp3("tone.mp3", kToneHz, 30)); }
  bool silence_within(milliseconds limit) {
    return wait_for([&] { return is_silent(sink_.now(200)); }, limit);
  }

  XClient x_;
  ShellInstall install_;
  TempFolder runtime_{"orvanth-run"};
  Fixtures fixtures_;
  SinkCapture sink_;
};

TEST_F(HostedTest, PreviewPaneFormFillsTheWindowFollowsItsSizeAndEndsWithIt) {
  const Window host = x_.make_window("pane", 400, 300);
  auto shell = start({"--root", "--window-id", hex(host)});
  ASSERT_TRUE(scene_within(x_.display(), host, kLong));
  EXPECT_TRUE(scene_moves(x_.display(), host, kLong));
  EXPECT_EQ(window_size(x_.display(), host), (Size{400, 300}));
  EXPECT_FALSE(x_.foreign_window_mapped()) << "a top-level window of its own beside the host";

  XResizeWindow(x_.display(), host, 560, 420);
  XSync(x_.display(), False);
  EXPECT_TRUE(wait_for([&] { return window_size(x_.display(), host) == Size{560, 420}; }, kLong));
  EXPECT_TRUE(scene_within(x_.display(), host, kLong));

  x_.destroy(host);
  EXPECT_TRUE(shell->ends_within(seconds(5)));
  EXPECT_EQ(shell->exit_code(), 0);
  EXPECT_TRUE(renderers_gone_within(seconds(5)));
}

TEST_F(HostedTest, TwoCopiesAtOnceBothDrawAndOnlyOnePlaysMusic) {
  ASSERT_TRUE(sink_.started());
  play_tone();
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const Window left = x_.make_window("monitor 1", 320, 240);
    const Window right = x_.make_window("monitor 2", 320, 240);
    XMoveWindow(x_.display(), right, 500, 100);  // side by side, as two monitors
    XSync(x_.display(), False);
    auto first = start({"--root"}, left);
    auto second = start({"--root"}, right);
    EXPECT_TRUE(scene_within(x_.display(), left, kLong));
    EXPECT_TRUE(scene_within(x_.display(), right, kLong));
    EXPECT_TRUE(wait_for([] { return sink_input_count() >= 1; }, kLong));
    EXPECT_EQ(sink_input_count(), 1);
    for (Process* shell : {first.get(), second.get()}) {
      shell->signal(SIGTERM);
    }
    for (Process* shell : {first.get(), second.get()}) {
      EXPECT_TRUE(shell->ends_within(seconds(5)));
      EXPECT_EQ(shell->exit_code(), 0);
    }
    EXPECT_TRUE(renderers_gone_within(seconds(5)));
    x_.destroy(left);
    x_.destroy(right);
  }
}

// A hosted shell and a /s run each end on SIGTERM, SIGHUP and SIGINT with
// the music stopped and no renderer left; the /s run shows the cursor again.
TEST_F(HostedTest, SignalsEndTheShellItsMusicAndItsRenderer) {
  ASSERT_TRUE(sink_.started());
  play_tone();
  const Window host = x_.make_window("host", 320, 240);
  for (const bool hosted : {true, false}) {
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
      SCOPED_TRACE(std::string(hosted ? "hosted" : "/s") + " signal " + std::to_string(number));
      ASSERT_TRUE(
          wait_for([&] { return find_window(x_.display(), "Lumevar_Delphi") == 0; }, kLong));
      auto shell = hosted ? start({"--root"}, host) : start({"/s"});
      ASSERT_TRUE(wait_for([&] { return is_tone(sink_.now(200), kToneHz); }, kLong));
      ASSERT_TRUE(wait_for([&] { return !processes_of(install_.renderer()).empty(); }, kLong));
      if (!hosted) {
        EXPECT_TRUE(wait_for([&] { return !cursor_visible(x_.display()); }, kLong));
      }
      const auto sent = std::chrono::steady_clock::now();
      shell->signal(number);
      EXPECT_TRUE(shell->ends_within(seconds(5)));
      const auto took =
          std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - sent);
      RecordProperty(
          std::string(hosted ? "hosted" : "s") + "_signal_" + std::to_string(number) + "_end_ms",
          static_cast<int>(took.count()));
      EXPECT_EQ(shell->exit_code(), 0);
      EXPECT_TRUE(renderers_gone_within(seconds(5)));
      EXPECT_TRUE(silence_within(seconds(5)));
      EXPECT_TRUE(wait_for([&] { return cursor_visible(x_.display()); }, kLong));
    }
  }
}

}  // namespace
}  // namespace orvanth::test

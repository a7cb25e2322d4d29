// The renderer drawing inside a host's window named by XSCREENSAVER_WINDOW,
// as xscreensaver and its kin start their hacks.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "tests/renderer/renderer_process.h"

using namespace std::chrono_literals;
using orvanth::test::wait_for;

namespace {

std::string hex_id(Window window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

// A 400 x 300 host window at (100, 100) and the renderer drawing in it.
class HostedRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dpy_, nullptr) << "needs the test X server";
    host_ = client_.make_window("Host", 400, 300);
    top_levels_ = client_.children(DefaultRootWindow(dpy_)).size();
    renderer_.emplace(orvanth::test::EnvironmentChanges{{"XSCREENSAVER_WINDOW", hex_id(host_)}});
    ASSERT_TRUE(wait_for([&] { return backdrop_at(200); })) << renderer_->stderr_text();
  }

  // The scene's backdrop at the top of the host, x pixels from its left.
  bool backdrop_at(int x) {
    return orvanth::test::root_pixel(dpy_, kHostX + x, kHostY + 2) == orvanth::test::kBackdropPixel;
  }

  void expect_exit_zero() {
    EXPECT_EQ(renderer_->wait_exit(), std::optional<int>(0)) << renderer_->stderr_text();
  }

  static constexpr int kHostX = 100;
  static constexpr int kHostY = 100;
  orvanth::test::TextureHome home_;
  orvanth::test::XClient client_;
  Display* dpy_ = client_.display();
  Window host_ = 0;
  std::size_t top_levels_ = 0;
  std::optional<orvanth::test::Renderer> renderer_;
};

}  // namespace

TEST_F(HostedRenderer, DrawsInAChildThatFollowsTheHostAndLeavesCursorAndFocusAlone) {
  const auto children = client_.children(host_);
  ASSERT_EQ(children.size(), 1U);
  EXPECT_EQ(client_.children(DefaultRootWindow(dpy_)).size(), top_levels_)
      << "no top-level window of its own";
  EXPECT_TRUE(orvanth::test::cursor_visible(dpy_));
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(dpy_, &focus, &revert);
  EXPECT_NE(focus, children[0]);

  const auto grab = [&] { return orvanth::test::root_pixels(dpy_, kHostX, kHostY, 400, 300); };
  const auto first = grab();
  EXPECT_LT(std::count(first.begin(), first.end(), 0UL), static_cast<long>(first.size() / 2));
  EXPECT_TRUE(wait_for([&] { return grab() != first; })) << "the scene moves";

  XResizeWindow(dpy_, host_, 500, 200);
  XSync(dpy_, False);
  EXPECT_TRUE(wait_for([&] {
    XWindowAttributes child{};
    return XGetWindowAttributes(dpy_, children[0], &child) != 0 && child.width == 500 &&
           child.height == 200 && backdrop_at(250);
  }));
  EXPECT_TRUE(orvanth::test::xdotool("key Escape")) << "keys are the host's";
  EXPECT_TRUE(renderer_->running());

  client_.destroy(host_);
  expect_exit_zero();
}

TEST_F(HostedRenderer, EndsWithZeroOnSigterm) {
  renderer_->signal(SIGTERM);
  expect_exit_zero();
  EXPECT_TRUE(wait_for([&] { return client_.children(host_).empty(); }));
}

TEST_F(HostedRenderer, EndsWhenTheProcessThatStartedItDies) {
  // A process in the shell's place: starts a second renderer, notes its id, then waits.
  const orvanth::test::TempFolder folder;
  const auto pid_file = folder.path() / "pid";
  const orvanth::test::Process shell(
      "/bin/sh",
      {"-c", std::string(ORVANTH_BIN_DIR "/Orvanth.data 2>/dev/null & echo $! >") +
                 pid_file.string() + "; exec sleep 600"},
      {{"XSCREENSAVER_WINDOW", hex_id(host_)}});
  std::string pid_text;
  ASSERT_TRUE(wait_for([&] {
    pid_text = orvanth::test::file_bytes(pid_file);
    return pid_text.find('\n') != std::string::npos;
  }));
  const pid_t pid = std::stoi(pid_text);
  ASSERT_TRUE(wait_for([&] { return client_.children(host_).size() == 2; }));
  shell.signal(SIGKILL);
  EXPECT_TRUE(wait_for([&] {
    const char state = orvanth::test::process_state(pid);
    return state == '\0' || state == 'Z';
  }));
  EXPECT_TRUE(wait_for([&] { return client_.children(host_).size() == 1; }));
}

TEST(HostedRendererWithoutHost, SaysSoAndExitsWithZero) {
  orvanth::test::TextureHome home;
  const struct {
    const char* value;
    const char* line;
  } cases[] = {
      {"0x7ffffff", "does not exist"},
      {"window", "not a window id"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    orvanth::test::Renderer renderer(
        orvanth::test::EnvironmentChanges{{"XSCREENSAVER_WINDOW", c.value}});
    EXPECT_EQ(renderer.wait_exit(), std::optional<int>(0));
    const std::string text = renderer.stderr_text();
    EXPECT_NE(text.find(c.line), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
}

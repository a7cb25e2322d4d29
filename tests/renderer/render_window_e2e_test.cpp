// The renderer process on the real test X server: its window, the ways the
// frame loop ends, and the exit codes.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "renderer/placement.h"
#include "renderer/render_window.h"
#include "saver/forms/process.h"
#include "tests/hosted/scene_check.h"
#include "tests/renderer/renderer_process.h"
#include "tests/support/x_client.h"

using namespace std::chrono_literals;
using orvanth::test::find_window;
using orvanth::test::wait_for;

namespace {

class RendererRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_, nullptr) << "needs the test X server";
    move_pointer(400, 300);
  }
  void TearDown() override { renderer_.reset(); }

  // Starts the renderer and waits for its first frame on screen, which
  // shows the backdrop at (x, y).
  void start(int x = orvanth::test::kBackdropX, int y = orvanth::test::kBackdropY) {
    renderer_.emplace();
    ASSERT_TRUE(wait_for([&] { return (window_ = find_window(display_, kTitle)) != 0; }))
        << renderer_->stderr_text();
    ASSERT_TRUE(wait_for([&] {
      return orvanth::test::root_pixel(display_, x, y) == orvanth::test::kBackdropPixel;
    })) << "no frame drawn";
  }

  void move_pointer(int x, int y) { orvanth::test::move_pointer(display_, x, y); }

  // Still running once limit has passed.
  bool keeps_running(std::chrono::milliseconds limit = 1000ms) {
    return !wait_for([&] { return !renderer_->running(); }, limit);
  }

  void expect_ended_cleanly() {
    EXPECT_EQ(renderer_->wait_exit(), std::optional<int>(0)) << renderer_->stderr_text();
    EXPECT_TRUE(wait_for([&] { return find_window(display_, kTitle) == 0; }));
  }

  void send_key(int type) {
    XEvent event{};
    event.xkey.type = type;
    event.xkey.display = display_;
    event.xkey.window = window_;
    event.xkey.root = DefaultRootWindow(display_);
    event.xkey.keycode = XKeysymToKeycode(display_, XK_Escape);
    event.xkey.same_screen = True;
    XSendEvent(display_, window_, False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
  }

  static constexpr const char* kTitle = "Lumevar_Delphi";
  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
  orvanth::test::TextureHome home_;
  std::optional<orvanth::test::Renderer> renderer_;
  Window window_ = 0;
};

std::string utf8_name(Display* display, Window window) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 256,
                         False, XInternAtom(display, "UTF8_STRING", False), &type, &format, &count,
                         &after, &data) != Success ||
      data == nullptr) {
    return {};
  }
  std::string name(reinterpret_cast<char*>(data), count);
  XFree(data);
  return name;
}

}  // namespace

TEST_F(RendererRun, WindowHasItsTitleAndClassCoversTheScreenAndEndsOnCloseRequest) {
  start();
  EXPECT_EQ(utf8_name(display_, window_), kTitle);
  XClassHint hint{};
  ASSERT_NE(XGetClassHint(display_, window_, &hint), 0);
  EXPECT_STREQ(hint.res_class, "OpenGL");
  XFree(hint.res_name);
  XFree(hint.res_class);
  Window root = 0;
  int x = -1;
  int y = -1;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 1;
  unsigned depth = 0;
  ASSERT_NE(XGetGeometry(display_, window_, &root, &x, &y, &width, &height, &border, &depth), 0);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(border, 0U);
  EXPECT_EQ(static_cast<int>(width), DisplayWidth(display_, DefaultScreen(display_)));
  EXPECT_EQ(static_cast<int>(height), DisplayHeight(display_, DefaultScreen(display_)));
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  EXPECT_EQ(focus, window_);

  // The title is set again once a second, whatever changed it.
  XStoreName(display_, window_, "Changed");
  XSync(display_, False);
  EXPECT_TRUE(
      wait_for([&] { return orvanth::test::window_name(display_, window_) == kTitle; }, 3000ms));
  EXPECT_TRUE(keeps_running(2000ms));
  EXPECT_EQ(orvanth::test::window_name(display_, window_), kTitle);

  orvanth::test::send_close_request(display_, window_);
  expect_ended_cleanly();
}

// The shell holds its own start-up back until then.
TEST_F(RendererRun, TellsTheProgramThatStartedItWhenTheFirstFrameIsOnScreen) {
  namespace forms = orvanth::forms;
  const auto pid =
      forms::start_process((std::filesystem::path(ORVANTH_BIN_DIR) / "Orvanth.data").string());
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(forms::process_ready_within(pid, 20000ms));
  EXPECT_TRUE(wait_for(
      [&] {
        return orvanth::test::root_pixel(display_, orvanth::test::kBackdropX,
                                         orvanth::test::kBackdropY) ==
               orvanth::test::kBackdropPixel;
      },
      2000ms));
  EXPECT_TRUE(forms::end_process(pid, 500ms));
}

TEST_F(RendererRun, PointerMustMoveMoreThan30OnBothAxes) {
  start();
  move_pointer(500, 300);
  EXPECT_TRUE(keeps_running());
  move_pointer(430, 331);  // exactly 30 across does not count
  EXPECT_TRUE(keeps_running());
  move_pointer(431, 331);
  expect_ended_cleanly();
}

TEST_F(RendererRun, EscapeEndsItAndOtherKeysDoNot) {
  start();
  ASSERT_TRUE(orvanth::test::xdotool("keydown a"));
  ASSERT_TRUE(orvanth::test::xdotool("keyup a"));
  ASSERT_TRUE(orvanth::test::xdotool("click 1"));
  EXPECT_TRUE(keeps_running());
  ASSERT_TRUE(orvanth::test::xdotool("keydown Escape"));
  expect_ended_cleanly();
  orvanth::test::xdotool("keyup Escape");
}

TEST_F(RendererRun, EscapeTapsQueuedWithTheirReleasesStillEndIt) {
  start();
  // With the renderer stopped, queue Escape pressed and released many times,
  // so that each release is handled before the frame after its press.
  ASSERT_EQ(kill(renderer_->pid(), SIGSTOP), 0);
  for (int i = 0; i < 400; ++i) {
    send_key(KeyPress);
    send_key(KeyRelease);
  }
  XSync(display_, False);
  ASSERT_EQ(kill(renderer_->pid(), SIGCONT), 0);
  expect_ended_cleanly();
}

TEST_F(RendererRun, EveryQuickEscapeTapEndsIt) {
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    start();
    ASSERT_TRUE(orvanth::test::xdotool("key Escape"));  // press and release at once
    expect_ended_cleanly();
  }
}

TEST_F(RendererRun, StaysInFrontOfAWindowMappedOverItAndTakesTheKeyboardBack) {
  start();
  orvanth::test::XClient other;
  const Window cover = other.make_window("Cover", 300, 200);
  XSetInputFocus(other.display(), cover, RevertToParent, CurrentTime);
  XSync(other.display(), False);
  EXPECT_TRUE(wait_for(
      [&] {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display_, &focus, &revert);
        return other.children(DefaultRootWindow(display_)).back() == window_ && focus == window_;
      },
      5000ms));
  ASSERT_TRUE(orvanth::test::xdotool("key Escape"));
  expect_ended_cleanly();
}

TEST_F(RendererRun, EndsInOrderWhenOthersEndIt) {
  const struct {
    const char* how;
    std::function<void()> end;
  } cases[] = {
      {"its window destroyed by another client",
       [this] {
         XDestroyWindow(display_, window_);
         XSync(display_, False);
       }},
      {"SIGTERM", [this] { renderer_->signal(SIGTERM); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    start();
    ASSERT_TRUE(wait_for([&] { return !orvanth::test::cursor_visible(display_); }));
    c.end();
    expect_ended_cleanly();
    EXPECT_TRUE(orvanth::test::cursor_visible(display_));
  }
}

TEST_F(RendererRun, EndsOnEscapeACloseRequestAndA31By31MoveWhilePaced) {
  // Paced, the loop waits between frames; a wait that held up the X queue,
  // or that only X events could end, would miss one of these.
  ASSERT_EQ(std::getenv(orvanth::kUnpacedSwitch), nullptr);
  const struct {
    const char* how;
    std::function<void()> end;
  } cases[] = {
      {"Escape", [] { ASSERT_TRUE(orvanth::test::xdotool("key Escape")); }},
      {"a close request", [this] { orvanth::test::send_close_request(display_, window_); }},
      {"31 right and 31 down", [this] { move_pointer(431, 331); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    move_pointer(400, 300);
    start();
    c.end();
    expect_ended_cleanly();
  }
}

// Part of the root window as an image for the scene checks.
orvanth::test::WindowImage root_image(Display* display, const orvanth::Rect& r) {
  const auto pixels = orvanth::test::root_pixels(display, r.x, r.y, r.width, r.height);
  return {r.width, r.height, std::vector<std::uint32_t>(pixels.begin(), pixels.end())};
}

TEST_F(RendererRun, OnTwoMonitorsOfDifferentSizesEachShowsTheSceneAndTheRestIsBlack) {
  // A wide primary at the top left, a tall one beside it; the screen is
  // 1280 x 1024.
  ASSERT_EQ(std::system("xrandr --setmonitor '*wide' 800/211x600/158+0+0 screen && "
                        "xrandr --setmonitor tall 480/127x800/211+800+112 none"),
            0);
  struct Restore {
    ~Restore() { std::system("xrandr --delmonitor tall; xrandr --delmonitor wide"); }
  } restore;
  const orvanth::Rect monitors[] = {{0, 0, 800, 600}, {800, 112, 480, 800}};
  const orvanth::Rect off_monitors[] = {
      {0, 600, 800, 424}, {800, 0, 480, 112}, {800, 912, 480, 112}};
  start(400, orvanth::test::kBackdropY);
  for (const auto& m : monitors) {
    SCOPED_TRACE(testing::Message() << m.width << "x" << m.height << "+" << m.x << "+" << m.y);
    orvanth::test::WindowImage first;
    ASSERT_TRUE(wait_for([&] {
      first = root_image(display_, m);
      return orvanth::test::shows_scene(first);
    })) << "the backdrop at the top middle, planets and water below";
    // The pool in the middle of the monitor, under the backdrop: the
    // pool's colours at the middle of its lower half, which the backdrop
    // and the black around the monitors never show.
    const auto pool =
        first.pixels[static_cast<std::size_t>(m.height * 3 / 4 * m.width + m.width / 2)];
    EXPECT_NE(pool, orvanth::test::kBackdropPixel);
    EXPECT_NE(pool, 0U);
    EXPECT_TRUE(wait_for([&] {
      return orvanth::test::changed_fraction(first, root_image(display_, m)) > 0.002;
    })) << "the scene does not move";
  }
  for (const auto& r : off_monitors) {
    const auto pixels = root_image(display_, r).pixels;
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0U), static_cast<long>(pixels.size()))
        << "off the monitors at " << r.x << "," << r.y;
  }
  orvanth::test::send_close_request(display_, window_);
  expect_ended_cleanly();
}

TEST_F(RendererRun, CursorIsInvisibleOnlyWhileTheLoopRuns) {
  ASSERT_TRUE(orvanth::test::cursor_visible(display_)) << "cursor hidden before the start";
  start();
  EXPECT_TRUE(wait_for([&] { return !orvanth::test::cursor_visible(display_); }));
  // A renderer that is killed leaves no hidden cursor behind.
  ASSERT_EQ(kill(renderer_->pid(), SIGKILL), 0);
  EXPECT_TRUE(renderer_->wait_exit().has_value());
  EXPECT_TRUE(wait_for([&] { return orvanth::test::cursor_visible(display_); }));
}

TEST(RendererWithoutDisplay, SaysSoAndExitsWithZero) {
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display != nullptr ? display : "";
  unsetenv("DISPLAY");
  orvanth::test::Renderer renderer;
  setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_EQ(renderer.wait_exit(), std::optional<int>(0));
  EXPECT_NE(renderer.stderr_text().find("cannot open the X display"), std::string::npos)
      << renderer.stderr_text();
}

TEST(RendererWithoutGlx, SaysWhyNothingIsDrawnAndExitsWithZero) {
  const orvanth::test::ExtraXServer server({"-extension", "GLX"});
  ASSERT_FALSE(server.name().empty()) << "no second Xvfb";
  orvanth::test::Renderer renderer({{"DISPLAY", server.name()}});
  EXPECT_EQ(renderer.wait_exit(), std::optional<int>(0));
  const std::string text = renderer.stderr_text();
  EXPECT_NE(text.find("no OpenGL (GLX)"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

TEST(RendererCommandLine, HelpVersionAndUnknownLongOptions) {
  const orvanth::test::TempFolder folder;
  const struct {
    const char* arguments;
    int code;
    const char* out;
    const char* err;
  } cases[] = {
      {"--help", 0, "XSCREENSAVER_WINDOW", ""},
      {"--version", 0, "Orvanth.data " ORVANTH_VERSION "\n", ""},
      {"--frobnicate", 1, "", "--help"},
      {"--help --frobnicate", 0, "Usage", ""},
      // Anything else is ignored: the run goes on, here to a missing display.
      {"/s -x 12", 0, "", "cannot open the X display"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto out = folder.path() / "out";
    const auto err = folder.path() / "err";
    const std::string command = std::string("env -u DISPLAY " ORVANTH_BIN_DIR "/Orvanth.data ") +
                                c.arguments + " >" + out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.code);
    const std::string out_text = orvanth::test::file_bytes(out);
    const std::string err_text = orvanth::test::file_bytes(err);
    EXPECT_NE(out_text.find(c.out), std::string::npos) << out_text;
    EXPECT_NE(err_text.find(c.err), std::string::npos) << err_text;
    if (*c.err == '\0') {
      EXPECT_EQ(err_text, "");
    } else {
      EXPECT_EQ(std::count(err_text.begin(), err_text.end(), '\n'), 1) << err_text;
    }
  }
}

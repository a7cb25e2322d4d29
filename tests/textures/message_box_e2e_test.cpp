// The texture failure boxes as the user sees them on the test X server: over
// the renderer's window, inside the screen, the caption drawn in the box and
// a long non-ASCII path wrapped; answered by the OK button and Escape.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xutil.h>

#include <cstdlib>
#include <filesystem>

#include "tests/renderer/renderer_process.h"

namespace fs = std::filesystem;
namespace t = orvanth::test;

namespace {

struct Shot {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<unsigned long> pixels;  // 0xRRGGBB, rows top-down
  unsigned long at(int px, int py) const {
    return pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(px)];
  }
};

// What the screen shows where the window lies, so a window covering it would
// show too.
Shot screenshot(Display* display, Window window) {
  XWindowAttributes a{};
  XGetWindowAttributes(display, window, &a);
  Shot shot{a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width, {}};
  XImage* image = XGetImage(display, DefaultRootWindow(display), shot.x, shot.y,
                            static_cast<unsigned>(shot.width), static_cast<unsigned>(shot.height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) {
    return shot;
  }
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      shot.pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
    }
  }
  XDestroyImage(image);
  return shot;
}

bool light(unsigned long p) { return (p >> 16 & 0xFF) > 0xC0 && (p & 0xFF) > 0xC0; }
bool dark(unsigned long p) { return (p >> 16 & 0xFF) < 0x60 && (p & 0xFF) < 0x60; }

// The caption bar's rows (same colour as its top-left corner) and the
// rightmost light pixel in them: where the caption's text ends.
int caption_text_end(const Shot& shot, int& bar_rows) {
  const unsigned long bar = shot.at(2, 2);
  bar_rows = 0;
  while (bar_rows + 2 < shot.height && shot.at(2, bar_rows + 2) == bar) {
    ++bar_rows;
  }
  int end = 0;
  for (int y = 2; y < 2 + bar_rows; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (light(shot.at(x, y))) {
        end = std::max(end, x);
      }
    }
  }
  return end;
}

// Runs of body rows holding dark (text) pixels, between the bar and the button.
int text_lines(const Shot& shot, int from_row, int to_row) {
  int lines = 0;
  bool inside = false;
  for (int y = from_row; y < to_row; ++y) {
    bool ink = false;
    for (int x = 2; x < shot.width - 2 && !ink; ++x) {  // inside the border
      ink = dark(shot.at(x, y));
    }
    lines += ink && !inside;
    inside = ink;
  }
  return lines;
}

class MessageBoxOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_, nullptr) << "needs the test X server";
    // A deep cache folder with non-ASCII names; the texture folder moves into it.
    long_home_ = fs::path(home_.root()) / "déjà vu";
    for (int i = 0; i < 8; ++i) {
      long_home_ /= "übersicht-" + std::to_string(i) + "-maïs-naïve";
    }
    fs::create_directories(long_home_);
    fs::rename(fs::path(home_.root()) / "orvanth", long_home_ / "orvanth");
    setenv("XDG_CACHE_HOME", long_home_.c_str(), 1);
  }

  Window wait_box(const char* caption) {
    Window box = 0;
    EXPECT_TRUE(t::wait_for([&] { return (box = t::find_window(display_, caption)) != 0; }))
        << caption << " did not appear";
    return box;
  }

  void wait_focus(Window box) {
    EXPECT_TRUE(t::wait_for([&] {
      Window focus = 0;
      int revert = 0;
      XGetInputFocus(display_, &focus, &revert);
      return focus == box;
    })) << "the box has no keyboard focus";
  }

  t::TextureHome home_{3};
  fs::path long_home_;
  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
};

}  // namespace

TEST_F(MessageBoxOnScreen, ShowsTheCaptionAndALongNonAsciiPathWrappedInsideTheScreen) {
  const std::string name = (long_home_ / "orvanth" / "Orvanth03.bmp").string();
  t::Renderer renderer;
  const Window first = wait_box("BMP Unit");
  ASSERT_NE(first, 0U);
  wait_focus(first);
  Shot shot;
  int bar_rows = 0;
  int bmp_unit_end = 0;
  // Painted on its first expose, which may come a little after the focus.
  EXPECT_TRUE(t::wait_for([&] {
    shot = screenshot(display_, first);
    return !shot.pixels.empty() && (bmp_unit_end = caption_text_end(shot, bar_rows)) > 30;
  })) << "no caption drawn in the bar";
  const int screen_width = DisplayWidth(display_, DefaultScreen(display_));
  EXPECT_GE(shot.x, 0);
  EXPECT_LE(shot.x + shot.width, screen_width) << "wider than the screen";
  EXPECT_GE(bar_rows, 14) << "no caption bar";
  // The path is far wider than the box: it takes several lines.
  EXPECT_GE(text_lines(shot, bar_rows + 2, shot.height - 50), 2);

  // The OK button, centred at the bottom, answers a click.
  ASSERT_TRUE(t::xdotool("mousemove " + std::to_string(shot.x + shot.width / 2) + " " +
                         std::to_string(shot.y + shot.height - 30) + " click 1"));
  ASSERT_TRUE(t::wait_for([&] { return t::find_window(display_, "BMP Unit") == 0; }));

  const Window second = wait_box("Loading Textures");
  ASSERT_NE(second, 0U);
  wait_focus(second);
  int rows = 0;
  // The longer caption ends further right: the bar shows this box's caption.
  EXPECT_TRUE(t::wait_for([&] {
    return caption_text_end(screenshot(display_, second), rows) > bmp_unit_end + 30;
  })) << "the second box does not show its longer caption";
  ASSERT_TRUE(t::xdotool("key Escape"));
  EXPECT_EQ(renderer.wait_exit(), std::optional<int>(1));
  EXPECT_EQ(renderer.stderr_text(), "BMP Unit: Error opening \"" + name +
                                        "\nLoading Textures: Unable to load " + name + "\n");
}

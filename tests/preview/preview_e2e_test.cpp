// The preview inside a host window on the test X server.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "saver/preview/preview.h"
#include "tests/support/settings_image.h"
#include "tests/support/shell_run.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the preview must show at that size.
std::vector<std::uint8_t> expected_picture(int width, int height) {
  return orvanth::preview::scale_picture(orvanth::art::preview_picture(), width, height);
}

// The largest channel difference between the window's pixels and rgb.
int pixel_difference(Display* dpy, Window w, int width, int height,
                     const std::vector<std::uint8_t>& rgb) {
  XImage* image = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 256;
  }
  int worst = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      const int got[3] = {static_cast<int>((p >> 16U) & 0xFFU), static_cast<int>((p >> 8U) & 0xFFU),
                          static_cast<int>(p & 0xFFU)};
      const std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
      for (int c = 0; c < 3; ++c) {
        worst = std::max(worst, std::abs(got[c] - rgb[i + static_cast<std::size_t>(c)]));
      }
    }
  }
  XDestroyImage(image);
  return worst;
}

class PreviewE2e : public ::testing::Test {
 protected:
  // Waits for our one child of host to be mapped; 0 when none comes.
  Window wait_for_child(Window host) {
    Window child = 0;
    wait_for([&] {
      const auto kids = x_.children(host);
      if (kids.size() != 1) {
        return false;
      }
      XWindowAttributes a{};
      if (XGetWindowAttributes(x_.display(), kids[0], &a) == 0 || a.map_state != IsViewable) {
        return false;
      }
      child = kids[0];
      return true;
    });
    return child;
  }

  void expect_fills(Window host, int width, int height) {
    const Window child = wait_for_child(host);
    ASSERT_NE(child, 0U);
    XWindowAttributes a{};
    ASSERT_NE(XGetWindowAttributes(x_.display(), child, &a), 0);
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.y, 0);
    EXPECT_EQ(a.width, width);
    EXPECT_EQ(a.height, height);
    char* name = nullptr;
    XFetchName(x_.display(), child, &name);
    EXPECT_STREQ(name, "Preview Window");
    XFree(name);
    const auto expected = expected_picture(width, height);
    ASSERT_TRUE(
        std::any_of(expected.begin(), expected.end(), [](std::uint8_t v) { return v > 32; }));
    int difference = 256;
    wait_for([&] {
      difference = pixel_difference(x_.display(), child, width, height, expected);
      return difference <= 1;
    });
    EXPECT_LE(difference, 1);
  }

  ShellInstall install_;
  XClient x_;
};

TEST_F(PreviewE2e, BecomesTheHostsChildShowingThePicture) {
  for (const char* separator : {" ", ":"}) {
    const Window host = x_.make_window("host", 152, 112);
    ShellProcess shell(install_, {std::string("/p") + separator + std::to_string(host)});
    expect_fills(host, 152, 112);
    EXPECT_FALSE(shell.ended());
    x_.destroy(host);
    EXPECT_TRUE(shell.ends_within(5s));
  }
}

TEST_F(PreviewE2e, TheSwitchAndNumberMayBeOneArgument) {
  const Window host = x_.make_window("host", 152, 112);
  ShellProcess shell(install_, {"/P:" + std::to_string(host)});
  expect_fills(host, 152, 112);
}

TEST_F(PreviewE2e, ALargerHostGetsThePictureScaledToFit) {
  const Window host = x_.make_window("host", 304, 200);
  ShellProcess shell(install_, {"/p", std::to_string(host)});
  expect_fills(host, 304, 200);
}

TEST_F(PreviewE2e, DestroyingTheHostEndsThePreviewWithinASecond) {
  const Window host = x_.make_window("host", 152, 112);
  ShellProcess shell(install_, {"/p", std::to_string(host)});
  ASSERT_NE(wait_for_child(host), 0U);
  x_.destroy(host);
  EXPECT_TRUE(shell.ends_within(1s));
  EXPECT_EQ(shell.exit_code(), 0);
}

TEST_F(PreviewE2e, ACloseRequestEndsThePreview) {
  const Window host = x_.make_window("host", 152, 112);
  ShellProcess shell(install_, {"/p", std::to_string(host)});
  const Window child = wait_for_child(host);
  ASSERT_NE(child, 0U);
  send_close_request(x_.display(), child);
  EXPECT_TRUE(shell.ends_within(5s));
  EXPECT_TRUE(x_.children(host).empty());
}

// The root window is no host either: the form would cover the screen for good.
TEST_F(PreviewE2e, NoNumberNoSuchWindowOrTheRootEndsAtOnce) {
  const std::string root = std::to_string(DefaultRootWindow(x_.display()));
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/p"}, {"/p", "999999"}, {"/p1234"}, {"/p", root}, {"/p:" + root}}) {
    ShellProcess shell(install_, args);
    ASSERT_TRUE(shell.ends_within(5s)) << testing::PrintToString(args);
    EXPECT_EQ(shell.exit_code(), 0);
    XSync(x_.display(), False);
    EXPECT_FALSE(x_.foreign_window_mapped()) << testing::PrintToString(args);
  }
}

TEST_F(PreviewE2e, WhileTheRendererRunsAPreviewEndsAtOnce) {
  const Window renderer = x_.make_window("Lumevar_Delphi", 100, 100);
  const Window host = x_.make_window("host", 152, 112);
  ShellProcess shell(install_, {"/p", std::to_string(host)});
  ASSERT_TRUE(shell.ends_within(5s));
  EXPECT_TRUE(x_.children(host).empty());
  x_.destroy(renderer);
}

TEST_F(PreviewE2e, LeavesTheSettingsAndTexturesAlone) {
  write_settings_file(install_.settings(), "[Section]\r\n");
  OpenWatch watch(install_.folder());
  const Window host = x_.make_window("host", 152, 112);
  {
    ShellProcess shell(install_, {"/p", std::to_string(host)});
    ASSERT_NE(wait_for_child(host), 0U);
    x_.destroy(host);
    ASSERT_TRUE(shell.ends_within(5s));
  }
  EXPECT_FALSE(watch.touched("Orvanth.ini"));
  EXPECT_FALSE(fs::exists(install_.cache() / "orvanth"));
  EXPECT_FALSE(fs::exists(install_.config() / "orvanth"));
}

}  // namespace
}  // namespace orvanth::test

// The preview form on Windows inside a host window of this process, where
// Wine shows a child's painting (it draws no child of another process's
// window): the form becomes the host's child over its client area, paints
// the picture scaled to it, and unloads when the host is destroyed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "saver/forms/program.h"
#include "saver/preview/preview.h"
#include "tests/shell/win32/message_pump.h"

namespace {

using orvanth::test::pump_until;

// The client area's pixels as R, G, B, top row first.
std::vector<std::uint8_t> client_pixels(HWND window, int width, int height) {
  const HDC screen = GetDC(window);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  const auto* bgra = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    rgb.insert(rgb.end(), {bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]});
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return rgb;
}

int largest_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  int worst = a.size() == b.size() ? 0 : 256;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    worst = std::max(worst, std::abs(a[i] - b[i]));
  }
  return worst;
}

TEST(Win32Preview, BecomesTheHostsChildShowingThePictureUntilTheHostGoes) {
  for (const SIZE size : {SIZE{152, 112}, SIZE{304, 200}}) {
    SCOPED_TRACE(size.cx);
    const HWND host =
        CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 50, 60, size.cx, size.cy,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    const int loaded = orvanth::forms::loaded_form_count();
    orvanth::preview::set_up("/p " + std::to_string(reinterpret_cast<std::uintptr_t>(host)));
    const HWND form = GetWindow(host, GW_CHILD);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(orvanth::forms::loaded_form_count(), loaded + 1);
    char caption[64] = {};
    GetWindowTextA(form, caption, sizeof caption);
    EXPECT_STREQ(caption, "Preview Window");
    const auto style = static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE));
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_TRUE(IsWindowVisible(form));
    RECT r{};
    GetWindowRect(form, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, size.cx);
    EXPECT_EQ(r.bottom - r.top, size.cy);
    const auto expected =
        orvanth::preview::scale_picture(orvanth::art::preview_picture(), size.cx, size.cy);
    int difference = 256;
    pump_until([&] {
      difference = largest_difference(client_pixels(host, size.cx, size.cy), expected);
      return difference <= 1;
    });
    EXPECT_LE(difference, 1);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(orvanth::forms::loaded_form_count(), loaded);
  }
}

}  // namespace

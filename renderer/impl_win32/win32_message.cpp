// The texture loader's message box on Windows: a plain OK box without owner.
// The same line goes to stderr, which a console or Wine's terminal shows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "common/message_box_layout.h"
#include "renderer/render_window.h"

namespace orvanth::window {
namespace {

std::wstring wide_of(std::string_view text, UINT code_page) {
  const int n =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string utf8_of(std::wstring_view text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

// The box breaks lines only at blanks, so a long path, one word to it, would
// be cut at the box's edge: the text is broken into lines of half the
// screen's width, measured in the box's own font, before it is shown.
std::wstring fitted(const std::string& ansi_text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  HFONT font = nullptr;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ before = font != nullptr && dc != nullptr ? SelectObject(dc, font) : nullptr;
  const int max_width = std::max(240, GetSystemMetrics(SM_CXSCREEN) / 2);
  const std::vector<std::string> lines =
      wrap_text(utf8_of(wide_of(ansi_text, CP_ACP)), max_width, [dc](std::string_view piece) {
        const std::wstring w = wide_of(piece, CP_UTF8);
        SIZE size{};
        GetTextExtentPoint32W(dc, w.data(), static_cast<int>(w.size()), &size);
        return static_cast<int>(size.cx);
      });
  if (before != nullptr) {
    SelectObject(dc, before);
  }
  if (dc != nullptr) {
    ReleaseDC(nullptr, dc);
  }
  if (font != nullptr) {
    DeleteObject(font);
  }
  std::string joined;
  for (const std::string& line : lines) {
    joined += (joined.empty() ? "" : "\n") + line;
  }
  return wide_of(joined, CP_UTF8);
}

}  // namespace

void show_message(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  MessageBoxW(nullptr, fitted(text).c_str(), wide_of(caption, CP_ACP).c_str(), MB_OK);
}

}  // namespace orvanth::window

// The preview form Lumevar_R on Windows: made hidden, turned into a child of
// the host's window, placed over its client area and shown. The system
// destroys it with the host's window, which unloads the form.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/preview/preview.h"

namespace orvanth::preview {
namespace {

constexpr char kFormClass[] = "Lumevar_R";

// Module state: the one preview form of the process and its picture as DIB
// rows (top row first, blue-green-red, each padded to 4 bytes).
struct PreviewForm {
  HWND window = nullptr;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> dib;
  bool unloaded = false;
};
PreviewForm form;

std::vector<std::uint8_t> dib_rows(const std::vector<std::uint8_t>& rgb, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> out(stride * static_cast<std::size_t>(height), 0);
  const auto columns = static_cast<std::size_t>(width);
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    for (std::size_t x = 0; x < columns; ++x) {
      const std::size_t from = (y * columns + x) * 3;
      std::uint8_t* to = out.data() + y * stride + x * 3;
      to[0] = rgb[from + 2];
      to[1] = rgb[from + 1];
      to[2] = rgb[from];
    }
  }
  return out;
}

void paint(HWND window) {
  PAINTSTRUCT ps{};
  const HDC dc = BeginPaint(window, &ps);
  if (dc != nullptr && !form.dib.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = form.width;
    info.bmiHeader.biHeight = -form.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(form.width), static_cast<DWORD>(form.height), 0,
                      0, 0, static_cast<UINT>(form.height), form.dib.data(), &info, DIB_RGB_COLORS);
  }
  EndPaint(window, &ps);
}

// Form_Unload posts the close request to the form's own window, which is
// already going; the result is not examined.
void Form_Unload() { PostMessageA(form.window, WM_CLOSE, 0, 0); }

void unload() {
  if (form.unloaded) {
    return;
  }
  form.unloaded = true;
  Form_Unload();
  forms::note_form_unloaded();
}

LRESULT CALLBACK form_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_DESTROY:
      unload();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Loads the form: its window exists, hidden, black.
HWND load_form() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = form_proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = kFormClass;
  RegisterClassA(&window_class);
  const HWND window = CreateWindowExA(0, kFormClass, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0,
                                      0, nullptr, nullptr, instance, nullptr);
  if (window != nullptr) {
    forms::note_form_loaded();
  }
  return window;
}

}  // namespace

void set_up(std::string_view command_line) {
  const auto parent = reinterpret_cast<HWND>(
      static_cast<std::uintptr_t>(static_cast<std::uint32_t>(window_number(command_line))));
  // No host to live in: nobody could see or close the form, so end now. The
  // desktop is no host either: the form would cover the screen for good.
  if (parent == nullptr || !IsWindow(parent) || parent == GetDesktopWindow()) {
    forms::end_program();
  }
  // The host's client area: a preview pane has no frame, and a framed host
  // shows the form inside its frame.
  RECT area{};
  GetClientRect(parent, &area);
  const double twips_x = forms::twips_per_pixel_x();
  const double twips_y = forms::twips_per_pixel_y();
  const TwipsSize size =
      twips_size(area.right - area.left, area.bottom - area.top, twips_x, twips_y);
  form = PreviewForm{};
  form.window = load_form();
  if (form.window == nullptr) {
    forms::end_program();
  }
  // The child style before the parent, then place and size relative to it.
  // A child has no pop-up style: the one bit taken off with the child's added.
  const LONG style = GetWindowLongA(form.window, GWL_STYLE);
  SetWindowLongA(form.window, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
  SetParent(form.window, parent);
  form.width = std::max(1, static_cast<int>(std::lround(size.width / twips_x)));
  form.height = std::max(1, static_cast<int>(std::lround(size.height / twips_y)));
  SetWindowPos(form.window, nullptr, 0, 0, form.width, form.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  form.dib = dib_rows(scale_picture(art::preview_picture(), form.width, form.height), form.width,
                      form.height);
  ShowWindow(form.window, SW_SHOWNA);
}

}  // namespace orvanth::preview

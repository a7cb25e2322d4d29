#include "saver/button/impl_win32/command_button.h"

#include <array>
#include <cmath>
#include <cstring>

#include "saver/art/resources.h"
#include "saver/button/button_face.h"
#include "saver/button/impl_win32/design_font.h"
#include "saver/button/impl_win32/picture_bitmap.h"
#include "saver/button/impl_win32/wide_text.h"
#include "saver/button/impl_win32/window_class.h"
#include "saver/forms/screen.h"

using orvanth::ButtonPicture;
using orvanth::PropertyBag;
namespace face = orvanth::button_face;

namespace {

constexpr UINT_PTR kTmrMouse = 1;

// The screen's twips per pixel: the face is laid out in twips, so it grows
// with the screen's dots per inch as the dialog does.
double screen_twips_x() { return orvanth::forms::twips_per_pixel_x(); }
double screen_twips_y() { return orvanth::forms::twips_per_pixel_y(); }

// The six state pictures as bitmaps, made once and shared by every button.
HBITMAP state_bitmap(ButtonPicture which) {
  static std::array<HBITMAP, 6> bitmaps{};
  static std::array<bool, 6> made{};
  const auto i = static_cast<std::size_t>(which);
  if (!made[i]) {
    bitmaps[i] = orvanth::win32::bitmap_of(orvanth::art::button_state_picture(which));
    made[i] = true;
  }
  return bitmaps[i];
}

orvanth::MouseButton button_of(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return orvanth::MouseButton::kLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return orvanth::MouseButton::kRight;
    default:
      return orvanth::MouseButton::kMiddle;
  }
}

}  // namespace

// --- the window -------------------------------------------------------------

Command* Command::Create(HWND parent, const RECT& pixels, const PropertyBag& bag, int control_id) {
  static const bool registered = orvanth::win32::register_window_class(kClassName, window_proc);
  if (!registered) return nullptr;
  HWND window =
      CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0,
                      0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                      GetModuleHandleA(nullptr), nullptr);
  Command* c = FromWindow(window);
  if (c == nullptr) return nullptr;
  c->read_properties(bag);
  SetWindowPos(window, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
               pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return c;
}

Command* Command::FromWindow(HWND window) {
  if (window == nullptr) return nullptr;
  char name[32] = {};
  if (GetClassNameA(window, name, sizeof name) == 0 || std::strcmp(name, kClassName) != 0) {
    return nullptr;
  }
  return reinterpret_cast<Command*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

Command::Command(HWND window)
    : CommandCore(orvanth::win32::design_font()),
      hwnd_(window),
      caption_top_(face::kCaptionTop / face::kTwipsPerPixel) {}

Command::~Command() {
  if (image_dc_ != nullptr) {
    SelectObject(image_dc_, image_old_);
    DeleteDC(image_dc_);
  }
  if (image_ != nullptr) DeleteObject(image_);
}

LRESULT CALLBACK Command::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* c = new Command(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));
  }
  auto* c = reinterpret_cast<Command*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete c;
    return DefWindowProcA(window, message, wparam, lparam);
  }
  return c != nullptr ? c->handle(message, wparam, lparam)
                      : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT Command::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      carry_out(state_machine().resize());
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_MOUSEMOVE: {
      // While a button is held the moves keep coming from outside; only
      // moves over the face count as hovering.
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      RECT client;
      GetClientRect(hwnd_, &client);
      if (PtInRect(&client, at)) carry_out(state_machine().pointer_move());
      return 0;
    }
    case WM_LBUTTONDOWN:
      // A press brings the focus first, as on every control of a form.
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(hwnd_);
      carry_out(state_machine().button_down(button_of(message)));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      mouse_up(button_of(message), wparam);
      return 0;
    case WM_SETFOCUS:
      carry_out(state_machine().focus_in());
      return 0;
    case WM_KILLFOCUS:
      carry_out(state_machine().focus_out());
      return 0;
    case WM_TIMER:
      if (wparam == kTmrMouse) TmrMouse_Timer();
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wparam, lparam);
  }
}

void Command::mouse_up(orvanth::MouseButton button, WPARAM held) {
  const orvanth::Reaction r = state_machine().button_up(button);
  if ((held & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == hwnd_) {
    ReleaseCapture();
  }
  // Last: a Click handler may unload the form and this window with it.
  carry_out(r);
}

void Command::start_mouse_timer() {
  SetTimer(hwnd_, kTmrMouse, orvanth::kTmrMouseIntervalMs, nullptr);
}

bool Command::pointer_over_control() const {
  // GetCursorPos leaves (0, 0) when it fails, as the runtime's call would.
  POINT at{};
  GetCursorPos(&at);
  // The caption has no window of its own: over it is over this window, and
  // anywhere else (the parent form included) the pointer has left.
  return WindowFromPoint(at) == hwnd_;
}

int Command::width() const {
  RECT r;
  return GetClientRect(hwnd_, &r) ? r.right - r.left : 0;
}

int Command::height() const {
  RECT r;
  return GetClientRect(hwnd_, &r) ? r.bottom - r.top : 0;
}

void Command::report_change(const char* key) {
  if (property_changed_) property_changed_(key);
}

void Command::raise_click() {
  if (!click_) return;
  // The handler may end this window; nothing of it is touched afterwards.
  const std::function<void()> handler = click_;
  handler();
}

void Command::show_properties() { InvalidateRect(hwnd_, nullptr, FALSE); }

// --- face -------------------------------------------------------------------

void Command::draw_gradient(bool hover_gradient) {
  if (!make_image()) return;
  fill_gradient(hover_gradient);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool Command::make_image() {
  const int w = width();
  const int h = height();
  if (w <= 0 || h <= 0) return false;
  if (image_dc_ != nullptr && image_size_.cx == w && image_size_.cy == h) return true;
  if (image_dc_ == nullptr) {
    image_dc_ = CreateCompatibleDC(nullptr);
    if (image_dc_ == nullptr) return false;
  }
  HBITMAP bitmap = orvanth::win32::dib_section(w, h);
  if (bitmap == nullptr) return false;
  HGDIOBJ old = SelectObject(image_dc_, bitmap);
  if (image_ != nullptr) {
    DeleteObject(image_);
  } else {
    image_old_ = old;
  }
  image_ = bitmap;
  image_size_ = SIZE{w, h};
  return true;
}

void Command::fill_gradient(bool hover_gradient) {
  const int w = image_size_.cx;
  const int h = image_size_.cy;
  face::VertexColour top = face::vertex_colour(face::kLightConstant);
  face::VertexColour bottom = face::vertex_colour(face::kDarkConstant);
  if (hover_gradient) std::swap(top, bottom);
  // GradientFill leaves out a rectangle's right column and bottom row: the
  // blend ends on the last row, which the second rectangle fills with the
  // bottom colour, so the whole face is covered.
  TRIVERTEX v[4] = {
      {0, 0, top.red, top.green, top.blue, 0},
      {w, h - 1, bottom.red, bottom.green, bottom.blue, 0},
      {0, h - 1, bottom.red, bottom.green, bottom.blue, 0},
      {w, h, bottom.red, bottom.green, bottom.blue, 0},
  };
  GRADIENT_RECT rects[2] = {{0, 1}, {2, 3}};
  GradientFill(image_dc_, v, 4, rects, 2, GRADIENT_FILL_RECT_V);
}

bool Command::draw_face(ButtonPicture picture, bool hover_gradient) {
  if (!make_image()) return false;
  const RECT all{0, 0, image_size_.cx, image_size_.cy};
  FillRect(image_dc_, &all, GetSysColorBrush(COLOR_BTNFACE));
  fill_gradient(hover_gradient);
  if (HBITMAP source = state_bitmap(picture)) {
    HDC source_dc = CreateCompatibleDC(image_dc_);
    HGDIOBJ old = SelectObject(source_dc, source);
    const double tx = screen_twips_x();
    const double ty = screen_twips_y();
    // On a scaled screen the pictures' pixels are blended, not repeated.
    const bool scaled = tx != face::kTwipsPerPixel || ty != face::kTwipsPerPixel;
    SetStretchBltMode(image_dc_, scaled ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(image_dc_, 0, 0, nullptr);
    for (const face::Piece& p : face::frame_pieces(image_size_.cx, image_size_.cy, tx, ty)) {
      StretchBlt(image_dc_, p.dest.x, p.dest.y, p.dest.w, p.dest.h, source_dc, p.source.x,
                 p.source.y, p.source.w, p.source.h, SRCCOPY);
    }
    SelectObject(source_dc, old);
    DeleteDC(source_dc);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
  layout_caption();
  return true;
}

void Command::layout_caption() {
  caption_top_ = face::caption_top_pixels(height(), screen_twips_y());
}

void Command::paint_parent_background(HDC dc) {
  // A transparent background shows what the container drew beneath.
  HWND parent = GetParent(hwnd_);
  POINT origin{0, 0};
  MapWindowPoints(hwnd_, parent, &origin, 1);
  POINT old{};
  SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void Command::paint(HDC dc) {
  if (background_opaque() && image_dc_ != nullptr) {
    BitBlt(dc, 0, 0, image_size_.cx, image_size_.cy, image_dc_, 0, 0, SRCCOPY);
  } else {
    paint_parent_background(dc);
  }
  HGDIOBJ old_font = SelectObject(dc, orvanth::win32::font_handle(Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, caption_enabled() ? caption_colour() : GetSysColor(COLOR_GRAYTEXT));
  const int caption_height = static_cast<int>(std::lround(face::kCaptionHeight / screen_twips_y()));
  RECT label{0, caption_top_, width(), caption_top_ + caption_height};
  const std::wstring caption = orvanth::win32::wide(Caption());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label,
            DT_CENTER | DT_TOP | DT_NOPREFIX | DT_NOCLIP);
  SelectObject(dc, old_font);
}

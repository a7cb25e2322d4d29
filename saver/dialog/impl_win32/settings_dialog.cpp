#include "saver/dialog/impl_win32/settings_dialog.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "saver/art/resources.h"
#include "saver/button/impl_win32/command_button.h"
#include "saver/button/impl_win32/design_font.h"
#include "saver/button/impl_win32/picture_bitmap.h"
#include "saver/button/impl_win32/wide_text.h"
#include "saver/button/property_bag.h"
#include "saver/dialog/impl_win32/ansi_names.h"
#include "saver/dialog/impl_win32/maker_page.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"

namespace orvanth::dialog {
namespace {

constexpr char kFormClass[] = "Lumevar.Form";
constexpr char kPictureBoxClass[] = "Lumevar.PictureBox";
constexpr COLORREF kFormBackground = RGB(192, 192, 192);
constexpr COLORREF kPanelBackground = RGB(224, 224, 224);
constexpr COLORREF kNoteColour = RGB(192, 0, 0);
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kRepeatId = 100;
constexpr int kRepeatListHeight = 3000;    // the dropped list, twips
constexpr int kPictureTwipsPerPixel = 15;  // the artwork's resolution
// Posted by a button's Click handler: the form unloads once the handler has
// returned, as the runtime unloads a form after its event.
constexpr UINT kUnloadMessage = WM_APP + 1;

// RGB of levels 0 to 255 (the macro's int arithmetic changes sign).
COLORREF colour(int r, int g, int b) {
  return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 | static_cast<COLORREF>(b) << 16;
}

// A control's rectangle from its design position and size in twips.
RECT design_rect(int left, int top, int width, int height) {
  const PixelRect r = twips_rect(left, top, width, height);
  return {r.x, r.y, r.x + r.width, r.y + r.height};
}

HFONT dialog_font() { return win32::font_handle(win32::design_font()); }

// Stretches a label's hit area to its text where the face needs more room
// than the design size, so no caption is cut or unclickable.
void fit_label(Label& label) {
  label.hit = label.rect;
  if (label.border) return;
  HDC dc = GetDC(label.container);
  HGDIOBJ old = SelectObject(dc, dialog_font());
  SIZE extent{};
  GetTextExtentPoint32W(dc, label.text.c_str(), static_cast<int>(label.text.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(label.container, dc);
  label.hit.right = std::max(label.rect.right, label.rect.left + extent.cx);
  label.hit.bottom = std::max(label.rect.bottom, label.rect.top + metrics.tmHeight);
}

Label make_label(HWND container, std::string_view utf8, RECT design, UINT format) {
  Label label;
  label.container = container;
  label.rect = design;
  label.text = win32::wide(utf8);
  label.format = format;
  fit_label(label);
  return label;
}

void draw_label(HDC dc, const Label& label) {
  if (!label.visible) return;
  RECT inner = label.rect;
  UINT format = label.format | DT_NOPREFIX;  // names are shown as they are
  if (label.border) {
    RECT edge = label.rect;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&inner, -1, -1);
  } else {
    inner = label.hit;
    format |= DT_NOCLIP;
  }
  SetTextColor(dc, label.colour);
  DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &inner, format);
}

// A picture at its design size (its pixels at 15 twips each), so that it
// grows with the screen's dots per inch, blended where it is scaled.
void draw_image(HDC dc, const Image& image) {
  if (image.picture == nullptr) return;
  BITMAP size{};
  GetObjectA(image.picture, sizeof size, &size);
  const int w = to_pixels(size.bmWidth * kPictureTwipsPerPixel, forms::twips_per_pixel_x());
  const int h = to_pixels(size.bmHeight * kPictureTwipsPerPixel, forms::twips_per_pixel_y());
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, image.picture);
  if (w == size.bmWidth && h == size.bmHeight) {
    BitBlt(dc, image.rect.left, image.rect.top, w, h, source, 0, 0, SRCCOPY);
  } else {
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin{};
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, image.rect.left, image.rect.top, w, h, source, 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

// Paints one horizontal line per twip into the backdrop, in colour_of(level).
template <typename ColourOf>
void paint_gradient(Backdrop& backdrop, HWND window, ColourOf colour_of) {
  RECT client;
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;
  if (backdrop.dc == nullptr) backdrop.dc = CreateCompatibleDC(nullptr);
  if (backdrop.size.cx != w || backdrop.size.cy != h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) return;
    HGDIOBJ old = SelectObject(backdrop.dc, bitmap);
    if (backdrop.bitmap != nullptr) {
      DeleteObject(backdrop.bitmap);
    } else {
      backdrop.old = old;
    }
    backdrop.bitmap = bitmap;
    backdrop.size = SIZE{w, h};
  }
  const double ty = forms::twips_per_pixel_y();
  const std::vector<int> rows = gradient_rows(h * ty, ty, h);
  for (int y = 0; y < h; ++y) {
    const RECT line{0, y, w, y + 1};
    SetBkColor(backdrop.dc, colour_of(rows[static_cast<std::size_t>(y)]));
    ExtTextOutW(backdrop.dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
  }
}

void release(Backdrop& backdrop) {
  if (backdrop.dc == nullptr) return;
  SelectObject(backdrop.dc, backdrop.old);
  DeleteDC(backdrop.dc);
  if (backdrop.bitmap != nullptr) DeleteObject(backdrop.bitmap);
  backdrop = Backdrop{};
}

Command* make_command(HWND parent, const char* caption, RECT design) {
  PropertyBag bag;
  bag.write_property("Caption", std::string(caption), std::string("Command"));
  return Command::Create(parent, design, bag);
}

int button_code(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return 1;
    case WM_RBUTTONDOWN:
      return 2;
    case WM_MBUTTONDOWN:
      return 4;
    default:
      return 0;
  }
}

int shift_code(WPARAM keys) {
  return ((keys & MK_SHIFT) != 0 ? 1 : 0) | ((keys & MK_CONTROL) != 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The chooser's filter: description, NUL, patterns, and the closing NUL.
std::string chooser_filter() {
  const std::string name =
      win32::ansi_text(kChooserFilterName).value_or(std::string(kChooserFilterNameOtherwise));
  std::string filter = name;
  filter += '\0';
  filter += kChooserPatterns;
  filter += '\0';
  filter += '\0';
  return filter;
}

// What the handlers ask of the form, done with its windows.
class Win32Face final : public FormView {
 public:
  explicit Win32Face(Lumevar_P& form) : form_(form) {}

 private:
  bool has_window() const override { return form_.hWnd() != nullptr; }
  forms::WindowHandle window_handle() const override {
    return reinterpret_cast<forms::WindowHandle>(form_.hWnd());
  }
  std::optional<PixelRect> screen_area() const override {
    return PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  PixelRect form_size() const override {
    RECT frame{};
    GetWindowRect(form_.hWnd(), &frame);
    return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
  }
  void move_to(int x, int y) override {
    SetWindowPos(form_.hWnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void initialize_buttons() override {
    EnumChildWindows(
        form_.hWnd(),
        [](HWND child, LPARAM) -> BOOL {
          if (Command* button = Command::FromWindow(child)) button->Initialize();
          return TRUE;
        },
        0);
  }
  void show_markers(const std::array<Marker, 3>& markers) override {
    for (std::size_t i = 0; i < form_.Img_BGM.size(); ++i) {
      const std::size_t source = markers[i] == Marker::kChosen ? 1 : 0;
      form_.Img_BGM[i].picture = form_.Img_Ra[source].picture;
    }
    InvalidateRect(form_.Pic_C, nullptr, FALSE);
  }
  void set_repeat_enabled(bool enabled) override {
    EnableWindow(form_.BGM_Repeat, enabled ? TRUE : FALSE);
  }
  void set_file_button_enabled(bool enabled) override {
    form_.Cmd_BGM->set_enabled(enabled ? -1 : 0);
  }
  void fill_repeat_list(const std::vector<std::string>& entries) override {
    for (const std::string& entry : entries) {
      SendMessageW(form_.BGM_Repeat, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(win32::wide(entry).c_str()));
    }
  }
  void set_repeat_text(const std::string& text) override {
    SetWindowTextW(form_.BGM_Repeat, win32::wide(text).c_str());
  }
  std::string repeat_box_text() const override {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(form_.BGM_Repeat)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(form_.BGM_Repeat, text.data(), static_cast<int>(text.size()))));
    return win32::utf8(text);
  }
  void set_file_label(const std::string& path) override {
    form_.lbl_Fname.text = win32::wide_of_ansi(path);
    InvalidateRect(form_.Pic_C, nullptr, FALSE);
  }
  void show_note(std::string_view note) override {
    form_.lbl_Note.text = win32::wide(note);
    form_.lbl_Note.visible = !note.empty();
    fit_label(form_.lbl_Note);
    InvalidateRect(form_.Pic_C, nullptr, FALSE);
  }
  std::string display_name(const std::string& path) const override {
    return win32::utf8(win32::wide_of_ansi(path));
  }
  void warn(std::string_view caption, std::string_view text) override {
    MessageBoxW(form_.hWnd(), win32::wide(text).c_str(), win32::wide(caption).c_str(),
                MB_OK | MB_ICONWARNING);
  }
  ChosenFile choose_file() override {
    char file[kFileBufferSize] = {};
    char title[kFileTitleBufferSize] = {};
    const std::string filter = chooser_filter();
    // Under a code page without these characters the system's own title.
    const std::optional<std::string> chooser_title = win32::ansi_text(kChooserTitle);
    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = form_.hWnd();
    request.hInstance = GetModuleHandleA(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrTitle = chooser_title ? chooser_title->c_str() : nullptr;
    request.Flags = 0;
    if (GetOpenFileNameA(&request) <= 0) {
      // A path longer than the buffer could not be kept either.
      if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        return {std::nullopt, FileChoice::kTooLong};
      return {};
    }
    const std::string path(file);
    // A name the code page could not spell would be saved as another name.
    return {path, win32::names_exactly(path) ? FileChoice::kAccepted : FileChoice::kNotStorable};
  }
  void open_maker_page() override {
    const std::string page = win32::maker_page_path();
    if (win32::write_maker_page(page)) {
      ShellExecuteA(form_.hWnd(), "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
  }
  void set_busy_pointer(bool busy) override { form_.set_busy_pointer(busy); }
  void request_unload() override { form_.request_unload(); }
  void run_modal() override { form_.show_modal(); }

  Lumevar_P& form_;
};
}  // namespace
}  // namespace orvanth::dialog

using orvanth::dialog::design_rect;

Lumevar_P::Lumevar_P(std::string settings_path)
    : orvanth::dialog::SettingsForm(std::move(settings_path),
                                    std::make_unique<orvanth::dialog::Win32Face>(*this)) {
  using namespace orvanth::dialog;
  static const bool registered = [] {
    WNDCLASSA form{};
    form.lpfnWndProc = window_proc;
    form.hInstance = GetModuleHandleA(nullptr);
    form.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    form.lpszClassName = kFormClass;
    WNDCLASSA box = form;
    box.lpszClassName = kPictureBoxClass;
    return RegisterClassA(&form) != 0 && RegisterClassA(&box) != 0;
  }();
  if (!registered) return;
  RECT frame = design_rect(0, 0, kFormWidthTwips, kFormHeightTwips);
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  hwnd_ = CreateWindowExA(kFormExStyle, kFormClass, kCaption, kFormStyle, 0, 0,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  icon_ = orvanth::win32::icon_of(orvanth::art::icon());
  if (icon_ != nullptr) {
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  build_controls();
}

Lumevar_P::~Lumevar_P() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (Pic_C != nullptr && IsWindow(Pic_C)) SetWindowLongPtrA(Pic_C, GWLP_USERDATA, 0);
  orvanth::dialog::release(form_backdrop_);
  orvanth::dialog::release(panel_backdrop_);
  for (const orvanth::dialog::Image& source : Img_Ra) {
    if (source.picture != nullptr) DeleteObject(source.picture);
  }
  if (icon_ != nullptr) DestroyIcon(icon_);
}

void Lumevar_P::build_controls() {
  using namespace orvanth::dialog;
  // Created in the tab order: the form's buttons, then the panel's controls.
  Cmd_Etc = make_command(hwnd_, "その他の作品", design_rect(2880, 3000, 1875, 375));
  Cmd_Set = make_command(hwnd_, "設定", design_rect(4800, 3000, 1095, 375));
  Cmd_Can = make_command(hwnd_, "ｷｬﾝｾﾙ", design_rect(5940, 3000, 1035, 375));
  lbl_Credit = make_label(hwnd_, kCreditLine, design_rect(180, 2940, 2475, 195), DT_LEFT);
  lbl_Credit.colour = RGB(255, 255, 255);
  Img_Ra[0] = Image{hwnd_, design_rect(8040, 300, 180, 180),
                    orvanth::win32::bitmap_of(orvanth::art::marker_empty())};
  Img_Ra[1] = Image{hwnd_, design_rect(8040, 600, 180, 180),
                    orvanth::win32::bitmap_of(orvanth::art::marker_filled())};

  Pic_C = CreateWindowExA(WS_EX_CONTROLPARENT, kPictureBoxClass, "",
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                          hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
  const RECT panel = design_rect(180, 240, 6795, 2535);
  SetWindowPos(Pic_C, nullptr, panel.left, panel.top, panel.right - panel.left,
               panel.bottom - panel.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowLongPtrA(Pic_C, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  Shape3 = design_rect(300, 300, 1695, 315);
  lbl_Title = make_label(Pic_C, "BGM", design_rect(300, 360, 1665, 195), DT_CENTER);
  Img_BGM[1] = Image{Pic_C, design_rect(300, 840, 195, 195), nullptr};
  lbl_BGM[1] = make_label(Pic_C, "音楽CD", design_rect(540, 840, 645, 195), DT_LEFT);
  const RECT repeat = design_rect(1380, 780, 615, 300);
  BGM_Repeat = CreateWindowExW(
      0, L"COMBOBOX", L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, repeat.left,
      repeat.top, repeat.right - repeat.left,
      repeat.bottom - repeat.top +
          to_pixels(kRepeatListHeight, orvanth::forms::twips_per_pixel_y()),
      Pic_C, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRepeatId)), GetModuleHandleA(nullptr),
      nullptr);
  // Its closed height comes from the font, as a combo box's does on a form.
  SendMessageW(BGM_Repeat, WM_SETFONT, reinterpret_cast<WPARAM>(dialog_font()), FALSE);
  lbl_Repeat = make_label(Pic_C, "曲目をﾘﾋﾟｰﾄ", design_rect(2040, 840, 990, 195), DT_LEFT);
  Img_BGM[0] = Image{Pic_C, design_rect(300, 1140, 195, 195), nullptr};
  lbl_BGM[0] = make_label(Pic_C, "無し", design_rect(540, 1140, 345, 195), DT_LEFT);
  Img_BGM[2] = Image{Pic_C, design_rect(300, 1440, 195, 195), nullptr};
  lbl_BGM[2] = make_label(Pic_C, "MP3、WAV", design_rect(540, 1440, 900, 195), DT_LEFT);
  Cmd_BGM = make_command(Pic_C, "...", design_rect(540, 1740, 435, 315));
  lbl_Fname = make_label(Pic_C, "", design_rect(1020, 1740, 5355, 435),
                         DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL);
  lbl_Fname.border = true;
  lbl_Fname.hit = lbl_Fname.rect;
  // Below the file label, in the panel's free strip.
  lbl_Note = make_label(Pic_C, "", design_rect(1020, 2220, 5355, 195), DT_LEFT);
  lbl_Note.colour = kNoteColour;
  lbl_Note.visible = false;

  Cmd_Set->on_click([this] { Cmd_Set_Click(); });
  Cmd_Can->on_click([this] { Cmd_Can_Click(); });
  Cmd_BGM->on_click([this] { Cmd_BGM_Click(); });
  Cmd_Etc->on_click([this] { Cmd_Etc_Click(); });
}

void Lumevar_P::Form_Resize() {
  orvanth::dialog::paint_gradient(form_backdrop_, hwnd_, [](int v) {
    return orvanth::dialog::colour(v, v, std::min(255, v + 30));
  });
  orvanth::dialog::paint_gradient(panel_backdrop_, Pic_C, [](int v) {
    const int g = std::min(255, v + 30);
    return orvanth::dialog::colour(g, g, g);
  });
  InvalidateRect(hwnd_, nullptr, FALSE);
  InvalidateRect(Pic_C, nullptr, FALSE);
}

void Lumevar_P::set_busy_pointer(bool busy) {
  busy_pointer_ = busy;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

void Lumevar_P::request_unload() { PostMessageA(hwnd_, orvanth::dialog::kUnloadMessage, 0, 0); }

void Lumevar_P::unload() {
  // Every way out (both buttons and the system's close command) unloads once.
  if (unloaded_) return;
  unloaded_ = true;
  Form_Unload();
  DestroyWindow(hwnd_);
}

void Lumevar_P::show_modal() {
  if (hwnd_ == nullptr) return;
  Form_Resize();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  MSG message;
  while (IsWindow(hwnd_)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // A quit asked for elsewhere is left for the program's own loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!IsDialogMessageW(hwnd_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void Lumevar_P::paint(HWND container, HDC dc) {
  using namespace orvanth::dialog;
  const bool panel = container == Pic_C;
  const Backdrop& backdrop = panel ? panel_backdrop_ : form_backdrop_;
  RECT client;
  GetClientRect(container, &client);
  if (backdrop.bitmap != nullptr) {
    BitBlt(dc, 0, 0, backdrop.size.cx, backdrop.size.cy, backdrop.dc, 0, 0, SRCCOPY);
  } else {
    SetBkColor(dc, panel ? kPanelBackground : kFormBackground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
  }
  for (const Image& image : Img_BGM) {
    if (image.container == container) draw_image(dc, image);
  }
  if (panel) {
    FrameRect(dc, &Shape3, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  HGDIOBJ old_font = SelectObject(dc, dialog_font());
  SetBkMode(dc, TRANSPARENT);
  for (const Label* label : {&lbl_Credit, &lbl_Title, &lbl_BGM[0], &lbl_BGM[1], &lbl_BGM[2],
                             &lbl_Repeat, &lbl_Fname, &lbl_Note}) {
    if (label->container == container) draw_label(dc, *label);
  }
  SelectObject(dc, old_font);
}

bool Lumevar_P::mouse_down(HWND container, UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  const int button = orvanth::dialog::button_code(message);
  const int shift = orvanth::dialog::shift_code(wparam);
  // X and Y in twips of the control pressed.
  auto x_in = [&](const RECT& r) { return orvanth::dialog::twips_x(at.x - r.left); };
  auto y_in = [&](const RECT& r) { return orvanth::dialog::twips_y(at.y - r.top); };
  for (int i = 0; i < 3; ++i) {
    const auto& image = Img_BGM[static_cast<std::size_t>(i)];
    const auto& label = lbl_BGM[static_cast<std::size_t>(i)];
    if (image.container == container && PtInRect(&image.rect, at)) {
      Img_BGM_MouseDown(i, button, shift, x_in(image.rect), y_in(image.rect));
      return true;
    }
    if (label.container == container && PtInRect(&label.hit, at)) {
      lbl_BGM_MouseDown(i, button, shift, x_in(label.hit), y_in(label.hit));
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK Lumevar_P::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<Lumevar_P*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return form != nullptr ? form->handle(window, message, wparam, lparam)
                         : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT Lumevar_P::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      paint(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (mouse_down(window, message, wparam, lparam)) return 0;
      break;
    case WM_SETCURSOR:
      if (busy_pointer_) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return TRUE;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // The repeat box is white.
      SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
      break;
  }
  if (window != hwnd_) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_ACTIVATE:
      // The focus comes back to where it was, first to the first tab stop.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) last_focus_ = focus;
      } else {
        HWND focus = last_focus_ != nullptr && IsWindow(last_focus_)
                         ? last_focus_
                         : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (focus != nullptr) SetFocus(focus);
      }
      return 0;
    case WM_COMMAND:
      // The form has no default or cancel button: Return and Escape do nothing.
      return 0;
    case WM_CLOSE:
      unload();
      return 0;
    case orvanth::dialog::kUnloadMessage:
      unload();
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void show_settings_dialog() {
  Lumevar_P form;
  form.show_modally();
}

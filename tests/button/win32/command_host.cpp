// A form with two real Command buttons, placed as the Linux button tests
// place theirs, for the Linux tests to look at and press under Wine: a
// 480 x 80 pop-up at (100, 100) titled "Command host". Each Click is a line
// "Click N" on stderr. With the argument "gradient" the first button shows
// its bare gradient (FillGradient) until its next repaint.
#include <windows.h>

#include <cstdio>
#include <string>

#include "saver/button/impl_win32/command_button.h"
#include "saver/button/property_bag.h"

namespace {

constexpr COLORREF kFormColour = RGB(0x20, 0x40, 0x80);

LRESULT CALLBACK form_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window, &client);
      HBRUSH brush = CreateSolidBrush(kFormColour);
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

Command* add_button(HWND form, const char* caption, int x_twips, int width_twips, int index) {
  orvanth::PropertyBag bag;
  bag.write_property("Caption", std::string(caption), std::string("Command"));
  const RECT at{x_twips / 15, 200 / 15, x_twips / 15 + width_twips / 15, 200 / 15 + 375 / 15};
  Command* c = Command::Create(form, at, bag, index + 1);
  c->on_click([index] {
    std::fprintf(stderr, "Click %d\n", index);
    std::fflush(stderr);
  });
  return c;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  WNDCLASSA form_class{};
  form_class.lpfnWndProc = form_proc;
  form_class.hInstance = instance;
  form_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  form_class.lpszClassName = "OrvanthCommandHost";
  RegisterClassA(&form_class);
  HWND form =
      CreateWindowExA(0, form_class.lpszClassName, "Command host", WS_POPUP | WS_CLIPCHILDREN, 100,
                      100, 480, 80, nullptr, nullptr, instance, nullptr);
  Command* first = add_button(form, "設定", 300, 1095, 0);
  Command* second = add_button(form, "ｷｬﾝｾﾙ", 1500, 1035, 1);
  first->Initialize();
  second->Initialize();
  if (std::string(arguments) == "gradient") first->FillGradient();
  ShowWindow(form, SW_SHOWNORMAL);
  SetForegroundWindow(form);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(form, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}

#include "saver/button/impl_win32/window_class.h"

namespace orvanth::win32 {

bool register_window_class(const char* name, WNDPROC procedure) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = name;
  return RegisterClassA(&window_class) != 0;
}

}  // namespace orvanth::win32

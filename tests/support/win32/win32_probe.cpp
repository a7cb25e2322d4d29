// A small Windows program the Linux tests run under Wine, to ask or tell
// the Windows programs what only Win32 can:
//   close TITLE     post WM_CLOSE to the top-level window TITLE (exit 1: none)
//   folder NAME     print a folder as the programs compute it: local,
//                   roaming or textures
//   window TITLE    print the window's handle in decimal (exit 1: none)
//   host TITLE W H  show a W x H pop-up window TITLE at (100, 100), as a
//                   screen-saver host's preview pane, until it is closed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/texture_files.h"
#include "common/user_folders.h"

namespace {

int close_window(const char* title) {
  const HWND window = FindWindowA(nullptr, title);
  return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int print_folder(const std::string& name) {
  std::string folder;
  if (name == "local") {
    folder = orvanth::cache_home();
  } else if (name == "roaming") {
    folder = orvanth::config_home();
  } else if (name == "textures") {
    folder = orvanth::TextureFolder();
  } else {
    return 2;
  }
  std::printf("%s\n", folder.c_str());
  return folder.empty() ? 1 : 0;
}

int print_window(const char* title) {
  const HWND window = FindWindowA(nullptr, title);
  if (window == nullptr) {
    return 1;
  }
  std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return 0;
}

LRESULT CALLBACK host_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A close request destroys the window (DefWindowProc), and with it every
// child, whichever program made it.
int host_window(const char* title, int width, int height) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = host_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = "OrvanthProbeHost";
  RegisterClassA(&window_class);
  const HWND window =
      CreateWindowExA(0, window_class.lpszClassName, title, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      100, 100, width, height, nullptr, nullptr, window_class.hInstance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "host" && argc == 5) {
    return host_window(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: orvanth_win32_probe close|folder|window ARGUMENT | host TITLE W H\n");
    return 2;
  }
  if (command == "close") {
    return close_window(argv[2]);
  }
  if (command == "folder") {
    return print_folder(argv[2]);
  }
  if (command == "window") {
    return print_window(argv[2]);
  }
  return 2;
}

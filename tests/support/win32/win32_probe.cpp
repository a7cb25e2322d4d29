// A small Windows program the Linux tests run under Wine, to ask or tell
// the Windows programs what only Win32 can:
//   close TITLE     post WM_CLOSE to the top-level window TITLE (exit 1: none)
//   folder NAME     print a folder as the programs compute it: local,
//                   roaming or textures
//   window TITLE    print the window's handle in decimal (exit 1: none)
//   host TITLE W H  show a W x H pop-up window TITLE at (100, 100), as a
//                   screen-saver host's preview pane, until it is closed
//   child TITLE     print the first child of window TITLE as
//                   class|caption|left top width height|style, its place in
//                   TITLE's client area, style "child visible" (exit 1: none)
//   geometry TITLE  print the window's rectangle on the screen, then its
//                   client area's: left top right bottom, twice (exit 1: none)
//   manifest FILE   print the program FILE's manifest (exit 1: none)
//   desktop         print the desktop window's handle in decimal
//   choose OWNER PATH  put PATH in the file name of the chooser that the
//                   window OWNER has open, press Open and print the chooser's
//                   title in UTF-8 (exit 1: no chooser)
#include <windows.h>

#include <dlgs.h>
#include <shellapi.h>

#include <cstdint>
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
    folder = orvanth::texture_folder();
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

int print_child(const char* title) {
  const HWND parent = FindWindowA(nullptr, title);
  const HWND child = parent != nullptr ? GetWindow(parent, GW_CHILD) : nullptr;
  if (child == nullptr) {
    return 1;
  }
  char class_name[256] = {};
  char caption[256] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  GetWindowTextA(child, caption, sizeof caption);
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  std::printf("%s|%s|%ld %ld %ld %ld|%s%s\n", class_name, caption, r.left, r.top, r.right - r.left,
              r.bottom - r.top, (style & WS_CHILD) != 0 ? "child" : "top-level",
              IsWindowVisible(child) ? " visible" : " hidden");
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

int print_geometry(const char* title) {
  const HWND window = FindWindowA(nullptr, title);
  RECT frame{};
  RECT client{};
  if (window == nullptr || !GetWindowRect(window, &frame) || !GetClientRect(window, &client)) {
    return 1;
  }
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom,
              client.left, client.top, client.right, client.bottom);
  return 0;
}

// The common dialog ("#32770") that the window titled owner_title owns.
HWND chooser_of(const char* owner_title) {
  struct Search {
    HWND owner;
    HWND found;
  } search{FindWindowA(nullptr, owner_title), nullptr};
  if (search.owner == nullptr) {
    return nullptr;
  }
  EnumWindows(
      [](HWND window, LPARAM into) -> BOOL {
        auto* s = reinterpret_cast<Search*>(into);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (GetWindow(window, GW_OWNER) == s->owner && std::strcmp(name, "#32770") == 0 &&
            IsWindowVisible(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The path comes from the wide command line, so any name arrives whole.
int choose(const char* owner_title, const wchar_t* path) {
  const HWND chooser = chooser_of(owner_title);
  if (chooser == nullptr) {
    return 1;
  }
  // The Explorer-style chooser's name field is a combo box, the older one's
  // an edit.
  HWND field = GetDlgItem(chooser, cmb13);
  if (field == nullptr) {
    field = GetDlgItem(chooser, edt1);
  }
  if (field == nullptr) {
    return 1;
  }
  wchar_t title[256] = {};
  GetWindowTextW(chooser, title, 256);
  char text[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, title, -1, text, sizeof text, nullptr, nullptr);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
  PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
  std::printf("%s\n", text);
  return 0;
}

int print_manifest(const char* file) {
  const HMODULE program = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC found = program != nullptr
                          ? FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))
                          : nullptr;
  const HGLOBAL loaded = found != nullptr ? LoadResource(program, found) : nullptr;
  if (loaded == nullptr) {
    return 1;
  }
  std::fwrite(LockResource(loaded), 1, SizeofResource(program, found), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "host" && argc == 5) {
    return host_window(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  }
  if (command == "choose" && argc == 4) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    return wide != nullptr && count == 4 ? choose(argv[2], wide[3]) : 2;
  }
  if (command == "desktop" && argc == 2) {
    std::printf("%lu\n",
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(GetDesktopWindow())));
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: orvanth_win32_probe close|folder|window|child|geometry|chooser|manifest "
                 "ARGUMENT | host TITLE W H | choose OWNER PATH | desktop\n");
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
  if (command == "child") {
    return print_child(argv[2]);
  }
  if (command == "geometry") {
    return print_geometry(argv[2]);
  }
  if (command == "manifest") {
    return print_manifest(argv[2]);
  }
  return 2;
}

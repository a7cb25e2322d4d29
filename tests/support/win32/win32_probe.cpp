// A small Windows program the Linux tests run under Wine, to ask or tell
// the Windows programs what only Win32 can:
//   close TITLE     post WM_CLOSE to the top-level window TITLE (exit 1: none)
//   folder NAME     print a folder as the programs compute it: local,
//                   roaming or textures
//   window TITLE    print the window's handle in decimal (exit 1: none)
#include <windows.h>

#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: orvanth_win32_probe close|folder|window ARGUMENT\n");
    return 2;
  }
  const std::string command = argv[1];
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

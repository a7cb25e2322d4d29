// Orvanth.data: the renderer. Exits 0 after every ordinary end, 1 when a
// texture file cannot be loaded or an unknown long option is given.
#include <cstdio>
#include <string_view>

#include "common/texture_files.h"
#include "renderer/render_window.h"

namespace {

#ifdef _WIN32
constexpr char kHosting[] = "";
constexpr char kFolderRule[] = "(%LOCALAPPDATA%\\Orvanth\\)";
#else
constexpr char kHosting[] =
    "With XSCREENSAVER_WINDOW set to a window id (decimal or 0x hexadecimal) it draws\n"
    "inside that window instead and ends on SIGTERM or when the window goes.\n";
constexpr char kFolderRule[] = "($XDG_CACHE_HOME/orvanth/, else ~/.cache/orvanth/)";
#endif

void print_usage() {
  std::printf(
      "Usage: Orvanth.data [--help | --version]\n"
      "The renderer of the Orvanth screen saver: planets bouncing over rippling water.\n"
      "The saver shell (Orvanth.scr, also 'orvanth') starts it; it is seldom run by hand.\n"
      "It covers the screen and ends on Escape, a close request or a mouse movement.\n"
      "%s"
      "It reads the seven textures Orvanth00.bmp to Orvanth06.bmp from %s\n"
      "%s, which the shell writes.\n",
      kHosting, orvanth::texture_folder().c_str(), kFolderRule);
}

}  // namespace

int main(int argc, char** argv) {
  // Other arguments are ignored, as the shell passes none.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") {
      print_usage();
      return 0;
    }
    if (argument == "--version") {
      std::printf("Orvanth.data %s\n", ORVANTH_VERSION);
      return 0;
    }
    if (argument.starts_with("--")) {
      std::fprintf(stderr, "Orvanth.data: unknown option '%s'; try 'Orvanth.data --help'\n",
                   argv[i]);
      return 1;
    }
  }
  RunRenderer();
  return 0;
}

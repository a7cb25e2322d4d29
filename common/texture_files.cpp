#include "common/texture_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace orvanth {

namespace {

// XDG says relative values of the variable are to be ignored.
std::string cache_home() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    return xdg;
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* entry = getpwuid(getuid());
    home = entry != nullptr ? entry->pw_dir : "/tmp";
  }
  return std::string(home) + "/.cache";
}

}  // namespace

std::string TextureFolder() { return cache_home() + "/orvanth/"; }

std::array<std::string, kTextureFileCount> TextureFileNames() {
  const std::string folder = TextureFolder();
  std::array<std::string, kTextureFileCount> names;
  for (int i = 0; i < kTextureFileCount; ++i) {
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "Orvanth%02d.bmp", i);
    names[static_cast<std::size_t>(i)] = folder + leaf;
  }
  return names;
}

}  // namespace orvanth

#include "common/texture_files.h"

#include <cstdio>

#include "common/user_folders.h"

namespace orvanth {

std::string texture_folder() { return app_folder(cache_home()) + kPathSeparator; }

std::array<std::string, kTextureFileCount> TextureFileNames() {
  const std::string folder = texture_folder();
  std::array<std::string, kTextureFileCount> names;
  for (int i = 0; i < kTextureFileCount; ++i) {
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "Orvanth%02d.bmp", i);
    names[static_cast<std::size_t>(i)] = folder + leaf;
  }
  return names;
}

}  // namespace orvanth

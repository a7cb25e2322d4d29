// The seven texture files that the shell writes and the renderer reads: the
// only data the two programs share.
#pragma once

#include <array>
#include <string>

namespace orvanth {

inline constexpr int kTextureFileCount = 7;

// The per-user texture folder, with a trailing separator: on Linux
// $XDG_CACHE_HOME/orvanth/, else $HOME/.cache/orvanth/; on Windows
// %LOCALAPPDATA%\Orvanth\.
std::string texture_folder();

// Full paths of "Orvanth00.bmp" to "Orvanth06.bmp" in texture_folder().
std::array<std::string, kTextureFileCount> TextureFileNames();

}  // namespace orvanth

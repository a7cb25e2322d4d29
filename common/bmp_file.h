// The shell's side of the texture files: encoding an image in the one BMP
// layout both programs accept (common/bmp_layout.h) and writing it safely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bmp_layout.h"

namespace orvanth {

// The whole file for an image given top row first as R, G, B bytes.
std::vector<std::uint8_t> encode_bmp24(int width, int height, const std::uint8_t* rgb_top_down);

// Writes encode_bmp24's bytes to path safely: the folder is created with mode
// 0700 when missing, the bytes go to a temporary file in the same folder that
// is then renamed over path (a file or symlink planted at path is replaced,
// never followed). Returns false, with a reason in *error when given, on failure.
bool write_bmp_file(const std::string& path, int width, int height,
                    const std::uint8_t* rgb_top_down, std::string* error = nullptr);

}  // namespace orvanth

// The one BMP layout both programs accept: uncompressed 24-bit BGR, 14-byte
// file header, 40-byte info header, no colour table, pixel data from byte 54,
// rows bottom-up and padded to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanth {

inline constexpr std::size_t kBmpHeaderSize = 54;

// Bytes per stored row: width * 3 rounded up to a multiple of 4.
std::size_t BmpRowStride(int width);

// The whole file for an image given top row first as R, G, B bytes.
std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint8_t* rgb_top_down);

// Writes EncodeBmp24's bytes to path safely: the folder is created with mode
// 0700 when missing, the bytes go to a temporary file in the same folder that
// is then renamed over path (a file or symlink planted at path is replaced,
// never followed). Returns false, with a reason in *error when given, on failure.
bool WriteBmpFile(const std::string& path, int width, int height,
                  const std::uint8_t* rgb_top_down, std::string* error = nullptr);

}  // namespace orvanth

#include "common/bmp_file.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "common/atomic_file.h"
#include "common/user_folders.h"

namespace orvanth {

namespace {

void put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void set_error(std::string* error, const std::string& what) {
  if (error != nullptr) {
    *error = what + ": " + std::strerror(errno);
  }
}

}  // namespace

std::vector<std::uint8_t> encode_bmp24(int width, int height, const std::uint8_t* rgb_top_down) {
  const std::size_t stride = bmp_row_stride(width);
  const std::size_t data_size = stride * static_cast<std::size_t>(height);
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> file(kBmpHeaderSize + data_size, 0);
  std::uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  std::uint8_t* info = h + kBmpFileHeaderSize;
  put32(h + kBmpFileSizeAt, static_cast<std::uint32_t>(file.size()));
  put32(h + kBmpPixelOffsetAt, kBmpHeaderSize);
  put32(info + kBmpInfoSizeAt, kBmpInfoHeaderSize);
  put32(info + kBmpWidthAt, static_cast<std::uint32_t>(width));
  put32(info + kBmpHeightAt, static_cast<std::uint32_t>(height));
  put16(info + kBmpPlanesAt, 1);
  put16(info + kBmpBitCountAt, kBmpBitCount);
  put32(info + kBmpSizeImageAt, static_cast<std::uint32_t>(data_size));
  // Compression, resolution and colour counts stay 0.
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = rgb_top_down + static_cast<std::size_t>(height - 1 - y) * row_bytes;
    std::uint8_t* dst = h + kBmpHeaderSize + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  return file;
}

bool write_bmp_file(const std::string& path, int width, int height,
                    const std::uint8_t* rgb_top_down, std::string* error) {
  if (width <= 0 || height <= 0 || rgb_top_down == nullptr) {
    errno = EINVAL;
    set_error(error, "bad image");
    return false;
  }
  const std::vector<std::uint8_t> bytes = encode_bmp24(width, height, rgb_top_down);
  const std::string dir = parent_folder(path);
  if (!make_folders(dir)) {
    set_error(error, "cannot create " + dir);
    return false;
  }
  // A file or symlink planted at path is replaced, never followed. Textures
  // are rewritten on every run, so they are not flushed to disk.
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return replace_file_atomically(path, view, 0600, LinkRule::kReplace, Flush::kLazily, error);
}

}  // namespace orvanth

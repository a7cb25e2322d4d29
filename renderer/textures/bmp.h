// The BMP module: one texture file into a block of RGB pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orvanth {

enum class BmpStatus { kOk, kOpenFailed, kPaletteShort, kDataShort };

// Where the reader takes its bytes from, in order; never seeks.
class BmpSource {
 public:
  virtual ~BmpSource() = default;
  // Reads up to size bytes; fewer only at the end of the data or on error.
  virtual std::size_t read(std::uint8_t* to, std::size_t size) = 0;
  // Bytes still to come, as far as known; bounds what the reader allocates.
  virtual std::uint64_t remaining() const = 0;
};

class MemoryBmpSource final : public BmpSource {
 public:
  MemoryBmpSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t read(std::uint8_t* to, std::size_t size) override;
  std::uint64_t remaining() const override { return size_ - at_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct BmpImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::size_t size = 0;  // bytes in pixels: at least bmp_row_stride(width) * height
  std::unique_ptr<std::uint8_t[]> pixels;  // RGB, rows bottom-up, padded to 4 bytes
};

// Largest side and block the reader accepts; larger files are rejected as
// unreadable pixel data rather than allocated.
inline constexpr std::int32_t kMaxBmpSide = 16384;
inline constexpr std::size_t kMaxBmpBlock = std::size_t{256} << 20;

// The reader's steps after the file is open: headers, colour table, pixel
// block, channel swap. On failure image.pixels stays null.
BmpStatus read_bitmap(BmpSource& source, BmpImage& image);

// The message a failure shows under the caption "BMP Unit".
std::string bmp_status_text(BmpStatus status, const std::string& file_name);

// The platform's side (impl_posix/bmp_file.cpp, impl_win32/bmp_file.cpp): the file
// opened for reading, shared with other readers, its bytes in order; null
// when it cannot be opened or is not a plain file (a FIFO or device would
// block the reader). Closed when the source goes.
std::unique_ptr<BmpSource> open_bmp_file(const std::string& file_name);

}  // namespace orvanth

#include "renderer/textures/bmp.h"

#include <algorithm>
#include <cstring>

#include "common/bmp_layout.h"

namespace orvanth {

namespace {

std::int32_t get_i32(const std::uint8_t* at) {
  return static_cast<std::int32_t>(std::uint32_t{at[0]} | (std::uint32_t{at[1]} << 8) |
                                   (std::uint32_t{at[2]} << 16) | (std::uint32_t{at[3]} << 24));
}

std::uint32_t get_u32(const std::uint8_t* at) { return static_cast<std::uint32_t>(get_i32(at)); }

std::uint16_t get_u16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

struct InfoFields {
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bit_count;
  std::uint32_t compression;
  std::uint32_t size_image;
  std::uint32_t colours_used;
};

InfoFields parse_info(const std::uint8_t* info) {
  return {get_i32(info + kBmpWidthAt),     get_i32(info + kBmpHeightAt),
          get_u16(info + kBmpBitCountAt),  get_u32(info + kBmpCompressionAt),
          get_u32(info + kBmpSizeImageAt), get_u32(info + kBmpColoursUsedAt)};
}

// Only the layout the shell writes is drawn right: other depths and any
// compression would come out as stripes, so they count as unreadable data.
bool readable_layout(const InfoFields& f) {
  return f.width > 0 && f.height > 0 && f.width <= kMaxBmpSide && f.height <= kMaxBmpSide &&
         f.bit_count == kBmpBitCount && f.compression == kBmpNoCompression;
}

// The colour table is read and dropped through a small buffer, so that an
// announced count of any size allocates nothing.
bool skip_palette(BmpSource& source, std::uint64_t bytes) {
  std::uint8_t scratch[4096];
  while (bytes > 0) {
    const std::size_t chunk =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes, sizeof scratch));
    if (source.read(scratch, chunk) != chunk) {
      return false;
    }
    bytes -= chunk;
  }
  return true;
}

// The block size the file announces; 0 means the padded rows of a 24-bit
// image. 64-bit, so no product wraps.
std::uint64_t announced_size(const InfoFields& f, std::uint64_t stride) {
  return f.size_image != 0 ? f.size_image : stride * static_cast<std::uint64_t>(f.height);
}

// Red and blue change places in each pixel of each row; padding is left alone.
void swap_channels(BmpImage& image, std::uint64_t stride) {
  for (std::int32_t y = 0; y < image.height; ++y) {
    std::uint8_t* row = image.pixels.get() + stride * static_cast<std::uint64_t>(y);
    for (std::int32_t x = 0; x < image.width; ++x) {
      std::swap(row[3 * x], row[3 * x + 2]);
    }
  }
}

}  // namespace

std::size_t MemoryBmpSource::read(std::uint8_t* to, std::size_t size) {
  const std::size_t n = std::min(size, size_ - at_);
  if (n > 0) {
    std::memcpy(to, data_ + at_, n);
  }
  at_ += n;
  return n;
}

BmpStatus read_bitmap(BmpSource& source, BmpImage& image) {
  std::uint8_t headers[kBmpHeaderSize];
  if (source.read(headers, sizeof headers) != sizeof headers) {
    return BmpStatus::kDataShort;
  }
  const InfoFields f = parse_info(headers + kBmpFileHeaderSize);
  if (!skip_palette(source, std::uint64_t{f.colours_used} * 4)) {
    return BmpStatus::kPaletteShort;
  }
  if (!readable_layout(f)) {
    return BmpStatus::kDataShort;
  }
  const std::uint64_t stride = bmp_row_stride(f.width);
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(f.height);
  const std::uint64_t size = announced_size(f, stride);
  // A block shorter than the rows the swap and the upload walk, or longer than
  // the file can hold, is refused before anything is allocated.
  if (size < needed || size > kMaxBmpBlock || size > source.remaining()) {
    return BmpStatus::kDataShort;
  }
  std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[size]);
  if (source.read(block.get(), size) != size) {
    return BmpStatus::kDataShort;
  }
  image.width = f.width;
  image.height = f.height;
  image.size = size;
  image.pixels = std::move(block);
  swap_channels(image, stride);
  return BmpStatus::kOk;
}

std::string bmp_status_text(BmpStatus status, const std::string& file_name) {
  switch (status) {
    case BmpStatus::kOpenFailed:
      return "Error opening \"" + file_name;
    case BmpStatus::kPaletteShort:
      return "Error reading palette";
    case BmpStatus::kDataShort:
      return "Error reading bitmap data";
    case BmpStatus::kOk:
      break;
  }
  return {};
}

}  // namespace orvanth

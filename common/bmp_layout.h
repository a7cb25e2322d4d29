// The texture files' BMP layout, shared by the shell that writes them and the
// renderer that reads them: uncompressed 24-bit BGR, a 14-byte file header, a
// 40-byte info header, no colour table, pixel data from byte 54, rows
// bottom-up and padded to a multiple of 4 bytes. All fields little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvanth {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpHeaderSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

inline constexpr std::uint16_t kBmpBitCount = 24;
inline constexpr std::uint32_t kBmpNoCompression = 0;  // BI_RGB

// Byte offsets of the fields in the file header.
inline constexpr std::size_t kBmpFileSizeAt = 2;
inline constexpr std::size_t kBmpPixelOffsetAt = 10;

// Byte offsets of the fields in the info header.
inline constexpr std::size_t kBmpInfoSizeAt = 0;
inline constexpr std::size_t kBmpWidthAt = 4;
inline constexpr std::size_t kBmpHeightAt = 8;
inline constexpr std::size_t kBmpPlanesAt = 12;
inline constexpr std::size_t kBmpBitCountAt = 14;
inline constexpr std::size_t kBmpCompressionAt = 16;
inline constexpr std::size_t kBmpSizeImageAt = 20;
inline constexpr std::size_t kBmpColoursUsedAt = 32;

// Bytes per stored row: width * 3 rounded up to a multiple of 4. GL's default
// unpack alignment of 4 reads the same rows.
constexpr std::size_t bmp_row_stride(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

}  // namespace orvanth

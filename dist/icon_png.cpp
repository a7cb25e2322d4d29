// orvanth_icon_png FILE: writes the program's 32 x 32 icon as a PNG for the
// desktop's icon theme. Stored (uncompressed) deflate blocks keep this free
// of a compression library; the file is 4 kB either way.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "saver/art/resources.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(v >> shift));
  }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) {
      crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
  }
  return ~crc;
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
  put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, crc32(out.data() + start, out.size() - start));
}

Bytes zlib_stored(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
    out.push_back(at + n == raw.size() ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), raw.begin() + static_cast<long>(at),
               raw.begin() + static_cast<long>(at + n));
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(out, (b << 16) | a);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
    return 2;
  }
  const orvanth::art::Picture icon = orvanth::art::icon();
  Bytes raw;
  const auto width = static_cast<std::size_t>(icon.width);
  const auto channels = static_cast<std::size_t>(icon.channels);
  for (std::size_t y = 0; y < static_cast<std::size_t>(icon.height); ++y) {
    raw.push_back(0);  // filter: none
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint8_t* p = icon.pixels + (y * width + x) * channels;
      raw.insert(raw.end(), p, p + 3);
      raw.push_back(icon.channels == 4 ? p[3] : 255);
    }
  }
  Bytes header;
  put32(header, static_cast<std::uint32_t>(icon.width));
  put32(header, static_cast<std::uint32_t>(icon.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib_stored(raw));
  chunk(png, "IEND", {});
  std::FILE* out = std::fopen(argv[1], "wb");
  const bool ok = out != nullptr && std::fwrite(png.data(), 1, png.size(), out) == png.size();
  if (out != nullptr && std::fclose(out) != 0) {
    return 1;
  }
  return ok ? 0 : 1;
}

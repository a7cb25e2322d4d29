// orvanth_icon_ico FILE.ico: writes the program's 32 x 32 icon as a Windows
// icon file for the programs' resources and the setup. One 32-bit image
// (BGRA, bottom row first) with its AND mask, which every Windows since XP
// reads; the mask marks the fully transparent pixels for the old painters.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "saver/art/resources.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFFU);
  put16(out, v >> 16);
}

Bytes icon_file(const orvanth::art::Picture& icon) {
  const auto w = static_cast<std::uint32_t>(icon.width);
  const auto h = static_cast<std::uint32_t>(icon.height);
  const std::uint32_t mask_row = (w + 31) / 32 * 4;
  const std::uint32_t image_size = 40 + w * h * 4 + mask_row * h;
  Bytes out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon, not a cursor
  put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(w));
  out.push_back(static_cast<std::uint8_t>(h));
  out.push_back(0);  // no palette
  out.push_back(0);
  put16(out, 1);   // planes
  put16(out, 32);  // bits per pixel
  put32(out, image_size);
  put32(out, 6 + 16);  // the image follows this one entry
  // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
  put32(out, 40);
  put32(out, w);
  put32(out, h * 2);
  put16(out, 1);
  put16(out, 32);
  for (int i = 0; i < 6; ++i) {
    put32(out, 0);  // BI_RGB, sizes and palette left to the reader
  }
  Bytes mask;
  for (std::uint32_t row = h; row-- > 0;) {
    Bytes bits(mask_row, 0);
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::size_t at = static_cast<std::size_t>(row) * w + x;
      const std::uint8_t* p = icon.pixels + at * static_cast<std::size_t>(icon.channels);
      const std::uint8_t alpha = icon.channels == 4 ? p[3] : 255;
      out.insert(out.end(), {p[2], p[1], p[0], alpha});
      if (alpha == 0) {
        bits[x / 8] |= static_cast<std::uint8_t>(0x80U >> (x % 8));
      }
    }
    mask.insert(mask.end(), bits.begin(), bits.end());
  }
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.ico\n", argv[0]);
    return 2;
  }
  const Bytes ico = icon_file(orvanth::art::icon());
  std::FILE* out = std::fopen(argv[1], "wb");
  const bool ok = out != nullptr && std::fwrite(ico.data(), 1, ico.size(), out) == ico.size();
  if (out != nullptr && std::fclose(out) != 0) {
    return 1;
  }
  return ok ? 0 : 1;
}

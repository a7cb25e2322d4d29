#include "saver/button/impl_win32/picture_bitmap.h"

#include <cstdint>

namespace orvanth::win32 {

HBITMAP dib_section(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bits != nullptr) *bits = pixels;
  return bitmap;
}

HBITMAP bitmap_of(const art::Picture& p) {
  if (p.pixels == nullptr || (p.channels != 3 && p.channels != 4) || p.width <= 0 ||
      p.height <= 0) {
    return nullptr;
  }
  void* bits = nullptr;
  HBITMAP bitmap = dib_section(p.width, p.height, &bits);
  if (bitmap == nullptr) return nullptr;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (int at = 0; at < p.width * p.height; ++at) {
    const std::uint8_t* in = p.pixels + static_cast<std::ptrdiff_t>(at) * p.channels;
    out[at * 4 + 0] = in[2];
    out[at * 4 + 1] = in[1];
    out[at * 4 + 2] = in[0];
    out[at * 4 + 3] = p.channels == 4 ? in[3] : 0xFF;
  }
  return bitmap;
}

HICON icon_of(const art::Picture& picture) {
  HBITMAP colour = bitmap_of(picture);
  if (colour == nullptr) return nullptr;
  // The alpha of the colour bitmap decides; the mask only has to exist.
  HBITMAP mask = CreateBitmap(picture.width, picture.height, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

}  // namespace orvanth::win32

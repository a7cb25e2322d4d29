#include "common/impl_x11/image.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>

#include "common/impl_x11/connection.h"

namespace orvanth::x11 {
namespace {

unsigned long place(std::uint8_t value, unsigned long mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long scaled =
      bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8) : value >> (8 - bits);
  return (scaled << shift) & mask;
}

}  // namespace

unsigned long pack_pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b,
                         const ChannelMasks& masks) {
  return place(r, masks.red) | place(g, masks.green) | place(b, masks.blue);
}

bool put_rgb(Display* dpy, Drawable drawable, Visual* visual, int depth, int width, int height,
             const std::vector<std::uint8_t>& rgb) {
  if (dpy == nullptr || visual == nullptr || width <= 0 || height <= 0 ||
      rgb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3U) {
    return false;
  }
  const ChannelMasks masks{visual->red_mask, visual->green_mask, visual->blue_mask};
  XImage* image = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (image == nullptr) {
    return false;
  }
  // XDestroyImage frees the data with free().
  image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line),
                                               static_cast<std::size_t>(height)));
  if (image->data == nullptr) {
    XDestroyImage(image);
    return false;
  }
  const std::uint8_t* p = rgb.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, p += 3) {
      XPutPixel(image, x, y, pack_pixel(p[0], p[1], p[2], masks));
    }
  }
  ErrorTrap trap(dpy);
  const GC gc = XCreateGC(dpy, drawable, 0, nullptr);
  XPutImage(dpy, drawable, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
  XFreeGC(dpy, gc);
  XDestroyImage(image);
  return !trap.failed();
}

}  // namespace orvanth::x11

// Any bytes as a texture file: the reader must stay inside its buffers, and
// a block it accepts must hold every row the swap and the GL upload touch.
#include <cstdint>
#include <cstdlib>

#include "renderer/textures/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvanth::MemoryBmpSource source(data, size);
  orvanth::BmpImage image;
  if (orvanth::read_bitmap(source, image) != orvanth::BmpStatus::kOk) {
    if (image.pixels) {
      std::abort();
    }
    return 0;
  }
  const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
  if (image.width <= 0 || image.height <= 0 || !image.pixels ||
      image.size < stride * static_cast<std::size_t>(image.height)) {
    std::abort();
  }
  // Touch the last byte the upload reads, so ASan checks the block's end.
  volatile std::uint8_t last = image.pixels[stride * static_cast<std::size_t>(image.height) - 1];
  (void)last;
  return 0;
}

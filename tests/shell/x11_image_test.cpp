// Packing colours into pixel values of a visual.
#include <gtest/gtest.h>

#include "common/impl_x11/image.h"

namespace {

using orvanth::x11::ChannelMasks;
using orvanth::x11::pack_pixel;

TEST(PackPixel, FollowsTheVisualsMasks) {
  const ChannelMasks rgb888{0xFF0000, 0x00FF00, 0x0000FF};
  EXPECT_EQ(pack_pixel(0x12, 0x34, 0x56, rgb888), 0x123456UL);
  const ChannelMasks bgr888{0x0000FF, 0x00FF00, 0xFF0000};
  EXPECT_EQ(pack_pixel(0x12, 0x34, 0x56, bgr888), 0x563412UL);
  const ChannelMasks rgb565{0xF800, 0x07E0, 0x001F};
  EXPECT_EQ(pack_pixel(0xFF, 0xFF, 0xFF, rgb565), 0xFFFFUL);
  EXPECT_EQ(pack_pixel(0x80, 0x40, 0x08, rgb565), (0x10UL << 11) | (0x10UL << 5) | 0x01UL);
  const ChannelMasks ten{0x3FF00000, 0x000FFC00, 0x000003FF};
  EXPECT_EQ(pack_pixel(0xFF, 0, 0, ten), 0x3FC00000UL);
}

}  // namespace

// The reader's side of the texture contract, including files outside the
// accepted layout that must be refused without reading past any buffer.
#include "renderer/textures/bmp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "common/bmp_file.h"
#include "renderer/textures/textures.h"

namespace fs = std::filesystem;
using orvanth::BmpStatus;

namespace {

struct Header {
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint16_t bit_count = 24;
  std::uint32_t compression = 0;
  std::uint32_t size_image = 0;
  std::uint32_t colours_used = 0;
};

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

// A file with the given info fields followed by body (colour table and pixels).
std::vector<std::uint8_t> make_file(const Header& h, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out = {'B', 'M'};
  put(out, static_cast<std::uint32_t>(54 + body.size()), 4);
  put(out, 0, 4);
  put(out, 54, 4);
  put(out, 40, 4);
  put(out, static_cast<std::uint32_t>(h.width), 4);
  put(out, static_cast<std::uint32_t>(h.height), 4);
  put(out, 1, 2);
  put(out, h.bit_count, 2);
  put(out, h.compression, 4);
  put(out, h.size_image, 4);
  put(out, 0, 8);
  put(out, h.colours_used, 4);
  put(out, 0, 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

BmpStatus read(const std::vector<std::uint8_t>& file, orvanth::BmpImage& image) {
  orvanth::MemoryBmpSource source(file.data(), file.size());
  return orvanth::read_bitmap(source, image);
}

BmpStatus status_of(const std::vector<std::uint8_t>& file) {
  orvanth::BmpImage image;
  const BmpStatus status = read(file, image);
  EXPECT_EQ(status == BmpStatus::kOk, image.pixels != nullptr);
  return status;
}

std::vector<std::uint8_t> counting(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i);
  }
  return bytes;
}

}  // namespace

TEST(BmpReader, SwapsBlueAndRedOfEachPixel) {
  std::vector<std::uint8_t> pixels(4 * 1 * 3, 0);
  pixels[0] = 10;
  pixels[1] = 20;
  pixels[2] = 30;
  orvanth::BmpImage image;
  ASSERT_EQ(read(make_file({.width = 4, .height = 1}, pixels), image), BmpStatus::kOk);
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.pixels[0], 30);
  EXPECT_EQ(image.pixels[1], 20);
  EXPECT_EQ(image.pixels[2], 10);
}

TEST(BmpReader, SizeImageZeroIsWidthTimesHeightTimesThree) {
  const Header h{.width = 4, .height = 2};
  orvanth::BmpImage image;
  // Extra bytes after the 24 of pixel data are not part of the block.
  ASSERT_EQ(read(make_file(h, counting(24 + 5)), image), BmpStatus::kOk);
  EXPECT_EQ(image.size, 24U);
  EXPECT_EQ(status_of(make_file(h, counting(23))), BmpStatus::kDataShort);
}

TEST(BmpReader, AnnouncedColourTableIsSkipped) {
  std::vector<std::uint8_t> body(8, 0xEE);  // two entries
  const auto pixels = counting(24);
  body.insert(body.end(), pixels.begin(), pixels.end());
  orvanth::BmpImage image;
  ASSERT_EQ(read(make_file({.colours_used = 2}, body), image), BmpStatus::kOk);
  EXPECT_EQ(image.pixels[0], 2);  // bytes 0..2 of the pixels, swapped
  EXPECT_EQ(image.pixels[2], 0);
  EXPECT_EQ(status_of(make_file({.colours_used = 2}, counting(7))), BmpStatus::kPaletteShort);
}

TEST(BmpReader, PaddedRowsComeOutRightInEveryRow) {
  // Width 5: 15 bytes of pixels and 1 of padding per row.
  constexpr int kWidth = 5;
  constexpr int kHeight = 3;
  std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    rgb[i] = static_cast<std::uint8_t>(i * 5 + 1);
  }
  orvanth::BmpImage image;
  ASSERT_EQ(read(orvanth::encode_bmp24(kWidth, kHeight, rgb.data()), image), BmpStatus::kOk);
  ASSERT_EQ(image.size, 16U * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* row = image.pixels.get() + 16 * y;  // bottom row first
    const std::uint8_t* want = rgb.data() + (kHeight - 1 - y) * kWidth * 3;
    EXPECT_EQ(std::vector<std::uint8_t>(row, row + kWidth * 3),
              std::vector<std::uint8_t>(want, want + kWidth * 3))
        << "row " << y;
  }
}

TEST(BmpReader, RefusesBlocksShorterThanTheRowsTheyMustHold) {
  // 4 x 2 needs 24 bytes; an announced 12 would let the swap and upload run on.
  EXPECT_EQ(status_of(make_file({.size_image = 12}, counting(12))), BmpStatus::kDataShort);
  // Width 5 needs 16-byte rows even when the size says tightly packed.
  EXPECT_EQ(status_of(make_file({.width = 5, .height = 2, .size_image = 30}, counting(30))),
            BmpStatus::kDataShort);
  // A lower bit depth with size 0 computes too small a block.
  EXPECT_EQ(status_of(make_file({.bit_count = 8}, counting(24))), BmpStatus::kDataShort);
}

TEST(BmpReader, RefusesSizesThatWrapOrAskForGigabytes) {
  // 65536 x 65536 x 24 / 8 wraps to 0 in 32 bits.
  EXPECT_EQ(status_of(make_file({.width = 65536, .height = 65536}, counting(64))),
            BmpStatus::kDataShort);
  EXPECT_EQ(status_of(make_file({.size_image = 0xFFFFFFF0U}, counting(64))), BmpStatus::kDataShort);
  EXPECT_EQ(status_of(make_file({.width = 16000, .height = 16000}, counting(64))),
            BmpStatus::kDataShort);
  // A colour table of four billion entries is read through, not allocated.
  EXPECT_EQ(status_of(make_file({.colours_used = 0xFFFFFFFFU}, counting(64))),
            BmpStatus::kPaletteShort);
}

TEST(BmpReader, RefusesOtherBitCountsAndAnyCompressionThoughTheDataIsThere) {
  // Each file carries more than enough bytes for its rows at any depth, so
  // only the layout check can refuse it.
  const Header cases[] = {
      {.bit_count = 32},
      {.bit_count = 32, .size_image = 32},
      {.bit_count = 16, .size_image = 24},
      {.bit_count = 0, .size_image = 24},
      {.compression = 1, .size_image = 24},  // RLE8
      {.compression = 3, .size_image = 24},  // bit fields
      {.compression = 4, .size_image = 24},  // JPEG
      {.bit_count = 32, .compression = 3},
  };
  for (const Header& h : cases) {
    EXPECT_EQ(status_of(make_file(h, counting(64))), BmpStatus::kDataShort)
        << "bits " << h.bit_count << ", compression " << h.compression;
  }
}

TEST(BmpReader, RefusesNonPositiveSidesAndShortHeaders) {
  EXPECT_EQ(status_of(make_file({.width = 0}, counting(24))), BmpStatus::kDataShort);
  EXPECT_EQ(status_of(make_file({.height = 0}, counting(24))), BmpStatus::kDataShort);
  EXPECT_EQ(status_of(make_file({.height = -2}, counting(24))), BmpStatus::kDataShort);
  EXPECT_EQ(status_of(make_file({.width = -4, .size_image = 24}, counting(24))),
            BmpStatus::kDataShort);
  auto file = make_file({}, counting(24));
  file.resize(53);
  EXPECT_EQ(status_of(file), BmpStatus::kDataShort);
}

TEST(BmpReader, MessagesSayWhatFailed) {
  EXPECT_EQ(orvanth::bmp_status_text(BmpStatus::kOpenFailed, "/a/b.bmp"),
            "Error opening \"/a/b.bmp");
  EXPECT_EQ(orvanth::bmp_status_text(BmpStatus::kPaletteShort, "x"), "Error reading palette");
  EXPECT_EQ(orvanth::bmp_status_text(BmpStatus::kDataShort, "x"), "Error reading bitmap data");
}

// A folder of its own under the temporary folder, removed at the end.
class BmpReaderFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("orvanth-read-" + std::to_string(std::random_device{}()));
    ASSERT_TRUE(fs::create_directories(root_));
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(BmpReaderFiles, TheSaversOwnFileLoadsExactly) {
  std::vector<std::uint8_t> rgb(252 * 124 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    rgb[i] = static_cast<std::uint8_t>(i % 251);
  }
  const std::string path = (root_ / "Orvanth00.bmp").string();
  ASSERT_TRUE(orvanth::write_bmp_file(path, 252, 124, rgb.data()));
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::unique_ptr<std::uint8_t[]> pixels;
  ReadBitmapFile(path, width, height, pixels);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(width, 252);
  EXPECT_EQ(height, 124);
  EXPECT_EQ(std::memcmp(pixels.get(), rgb.data() + 123 * 756, 756), 0) << "bottom row first";
  EXPECT_EQ(std::memcmp(pixels.get() + 123 * 756, rgb.data(), 756), 0) << "top row last";
}

TEST_F(BmpReaderFiles, MissingFilesAndFoldersDoNotOpen) {
  EXPECT_EQ(orvanth::open_bmp_file((root_ / "missing.bmp").string()), nullptr);
  EXPECT_EQ(orvanth::open_bmp_file(root_.string()), nullptr);
  std::ofstream(root_ / "empty.bmp").close();
  auto empty = orvanth::open_bmp_file((root_ / "empty.bmp").string());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->remaining(), 0U);
}

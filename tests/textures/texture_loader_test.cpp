// The loader's messages on Linux: the line each box also prints, and the
// exit after both; a FIFO is never opened.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/bmp_file.h"
#include "renderer/textures/textures.h"

namespace fs = std::filesystem;

namespace {

class LoaderMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "orvanth-read.XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root_ = templ;
    unsetenv("DISPLAY");  // message boxes print their line only
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

}  // namespace

TEST_F(LoaderMessages, MissingFoldersAndFifosCannotBeOpened) {
  const fs::path fifo = root_ / "fifo.bmp";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& path : {root_ / "missing.bmp", root_, fifo}) {
    std::int32_t width = -7;
    std::int32_t height = -7;
    std::unique_ptr<std::uint8_t[]> pixels;
    testing::internal::CaptureStderr();
    ReadBitmapFile(path.string(), width, height, pixels);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "BMP Unit: Error opening \"" + path.string() + "\n");
    EXPECT_EQ(pixels, nullptr);
    EXPECT_EQ(width, -7);
  }
}

TEST_F(LoaderMessages, TruncatedPixelDataEndsTheLoaderWithBothMessages) {
  std::vector<std::uint8_t> rgb(8 * 8 * 3, 100);
  auto file = orvanth::encode_bmp24(8, 8, rgb.data());
  file.resize(file.size() - 1);
  const std::string path = (root_ / "Orvanth03.bmp").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  GLuint name = 0;
  EXPECT_EXIT(MakeTexture(path, name), testing::ExitedWithCode(1),
              "BMP Unit: Error reading bitmap data\nLoading Textures: Unable to load " + path);
}

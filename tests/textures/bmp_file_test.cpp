// The writer's side of the texture contract: exact bytes, a real decoder's
// view of them, and the safe replacement of the destination.
#include "common/bmp_file.h"
#include "common/texture_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
         (std::uint32_t{b[at + 3]} << 24);
}

std::uint16_t get16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::vector<std::uint8_t> pattern(int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3 *
                                static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    rgb[i] = static_cast<std::uint8_t>((i * 7919U) >> 3);
  }
  return rgb;
}

std::vector<std::uint8_t> read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BmpWriterFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "orvanth-bmp.XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root_ = templ;
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

void expect_header(int width, int height, std::uint32_t data_size) {
  const auto rgb = pattern(width, height);
  const auto file = orvanth::encode_bmp24(width, height, rgb.data());
  ASSERT_EQ(file.size(), 54 + data_size);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(get32(file, 2), 54 + data_size);
  EXPECT_EQ(get32(file, 6), 0U);
  EXPECT_EQ(get32(file, 10), 54U);
  EXPECT_EQ(get32(file, 14), 40U);
  EXPECT_EQ(get32(file, 18), static_cast<std::uint32_t>(width));
  EXPECT_EQ(get32(file, 22), static_cast<std::uint32_t>(height));
  EXPECT_EQ(get16(file, 26), 1);
  EXPECT_EQ(get16(file, 28), 24);
  EXPECT_EQ(get32(file, 30), 0U);
  EXPECT_EQ(get32(file, 34), data_size);
  for (std::size_t at = 38; at < 54; at += 4) {
    EXPECT_EQ(get32(file, at), 0U) << "at " << at;
  }
}

}  // namespace

TEST(BmpWriter, HeadersOfTheSaversTwoSizes) {
  expect_header(252, 124, 93744);
  expect_header(256, 256, 196608);
}

TEST(BmpWriter, RowsBottomUpInBgrWithZeroPadding) {
  // 2 x 2: a row is 6 bytes, padded to 8.
  const std::uint8_t rgb[] = {1, 2, 3, 4,  5,  6,  // top row
                              7, 8, 9, 10, 11, 12};
  const auto file = orvanth::encode_bmp24(2, 2, rgb);
  ASSERT_EQ(file.size(), 54U + 16U);
  const std::vector<std::uint8_t> data(file.begin() + 54, file.end());
  const std::vector<std::uint8_t> want = {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0};
  EXPECT_EQ(data, want);
  EXPECT_EQ(orvanth::bmp_row_stride(252), 756U);
  EXPECT_EQ(orvanth::bmp_row_stride(5), 16U);
}

TEST_F(BmpWriterFiles, AnIndependentDecoderSeesTheSamePixels) {
  for (const auto& [width, height] : {std::pair{252, 124}, std::pair{5, 3}}) {
    const auto rgb = pattern(width, height);
    const fs::path path = root_ / "out.bmp";
    ASSERT_TRUE(orvanth::write_bmp_file(path.string(), width, height, rgb.data()));
    const std::string command = "convert '" + path.string() + "' -depth 8 rgb:- 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<std::uint8_t> decoded(rgb.size() + 1);
    const std::size_t got = std::fread(decoded.data(), 1, decoded.size(), pipe);
    ASSERT_EQ(pclose(pipe), 0) << "convert failed";
    decoded.resize(got);
    EXPECT_EQ(decoded, rgb) << width << " x " << height;
  }
}

TEST_F(BmpWriterFiles, CreatesAPrivateFolderAndReplacesAPlantedSymlink) {
  const fs::path folder = root_ / "cache" / "orvanth";
  const fs::path victim = root_ / "victim";
  { std::ofstream(victim) << "keep me"; }
  ASSERT_TRUE(fs::create_directories(folder));
  const fs::path dest = folder / "Orvanth01.bmp";
  fs::create_symlink(victim, dest);

  const auto rgb = pattern(4, 4);
  std::string error;
  ASSERT_TRUE(orvanth::write_bmp_file(dest.string(), 4, 4, rgb.data(), &error)) << error;
  EXPECT_FALSE(fs::is_symlink(dest));
  EXPECT_EQ(read_all(dest), orvanth::encode_bmp24(4, 4, rgb.data()));
  EXPECT_EQ(read_all(victim), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  // Only the one file is left: the temporary name was renamed away.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  const fs::path fresh = root_ / "new" / "deeper" / "Orvanth00.bmp";
  ASSERT_TRUE(orvanth::write_bmp_file(fresh.string(), 4, 4, rgb.data(), &error)) << error;
  struct stat info {};
  ASSERT_EQ(stat(fresh.parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700U);
}

TEST_F(BmpWriterFiles, FailureIsReportedNotHidden) {
  const auto rgb = pattern(4, 4);
  const fs::path blocker = root_ / "file";
  { std::ofstream(blocker) << "x"; }
  std::string error;
  EXPECT_FALSE(
      orvanth::write_bmp_file((blocker / "Orvanth00.bmp").string(), 4, 4, rgb.data(), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(orvanth::write_bmp_file((root_ / "a.bmp").string(), 0, 4, rgb.data()));
  EXPECT_FALSE(fs::exists(root_ / "a.bmp"));
}

TEST(TextureFiles, FolderFollowsTheCacheHome) {
  const char* old_cache = std::getenv("XDG_CACHE_HOME");
  const std::string saved_cache = old_cache != nullptr ? old_cache : "";
  const char* old_home = std::getenv("HOME");
  const std::string saved_home = old_home != nullptr ? old_home : "";

  setenv("XDG_CACHE_HOME", "/x/cache", 1);
  EXPECT_EQ(orvanth::texture_folder(), "/x/cache/orvanth/");
  const auto names = orvanth::TextureFileNames();
  EXPECT_EQ(names[0], "/x/cache/orvanth/Orvanth00.bmp");
  EXPECT_EQ(names[6], "/x/cache/orvanth/Orvanth06.bmp");

  setenv("HOME", "/h/me", 1);
  unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(orvanth::texture_folder(), "/h/me/.cache/orvanth/");
  setenv("XDG_CACHE_HOME", "relative/ignored", 1);
  EXPECT_EQ(orvanth::texture_folder(), "/h/me/.cache/orvanth/");

  if (old_cache != nullptr) {
    setenv("XDG_CACHE_HOME", saved_cache.c_str(), 1);
  } else {
    unsetenv("XDG_CACHE_HOME");
  }
  if (old_home != nullptr) {
    setenv("HOME", saved_home.c_str(), 1);
  }
}

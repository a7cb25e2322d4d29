#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "saver/art/resources.h"

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path fresh_dir(const std::string& name) {
  fs::path dir =
      fs::temp_directory_path() / ("orvanth-artgen-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

int run_generator(const std::string& mode, const fs::path& dir) {
  const std::string cmd =
      std::string("\"") + ORVANTH_ARTGEN + "\" " + mode + " \"" + dir.string() + "\"";
  return std::system(cmd.c_str());
}

TEST(ArtworkGenerator, TwoRunsWriteTheSameBytes) {
  const fs::path a = fresh_dir("a");
  const fs::path b = fresh_dir("b");
  ASSERT_EQ(run_generator("--source", a), 0);
  ASSERT_EQ(run_generator("--source", b), 0);
  const std::string blob_a = read_all(a / "orvanth_art.bin");
  ASSERT_GT(blob_a.size(), 1000000U);
  EXPECT_TRUE(blob_a == read_all(b / "orvanth_art.bin"));
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(ArtworkGenerator, EmbeddedPixelsAreWhatTheGeneratorWrites) {
  const fs::path dir = fresh_dir("embedded");
  ASSERT_EQ(run_generator("--source", dir), 0);
  const std::string blob = read_all(dir / "orvanth_art.bin");
  const orvanth::art::Picture first = orvanth::art::planet_map(1);
  const orvanth::art::Picture icon = orvanth::art::icon();
  const auto* begin = reinterpret_cast<const char*>(first.pixels);
  const auto* end = reinterpret_cast<const char*>(icon.pixels) + 32 * 32 * 4;
  ASSERT_EQ(static_cast<std::size_t>(end - begin), blob.size());
  EXPECT_TRUE(std::string(begin, end) == blob);
  fs::remove_all(dir);
}

TEST(ArtworkGenerator, PictureFilesCarryTheirSizes) {
  const fs::path dir = fresh_dir("pictures");
  ASSERT_EQ(run_generator("--pictures", dir), 0);
  const std::string earth = read_all(dir / "04-earth.ppm");
  const std::string head = "P6\n256 256\n255\n";
  ASSERT_EQ(earth.size(), head.size() + 256U * 256U * 3U);
  EXPECT_EQ(earth.substr(0, head.size()), head);
  const std::string icon = read_all(dir / "22-icon.pam");
  EXPECT_NE(icon.find("WIDTH 32\nHEIGHT 32\nDEPTH 4\n"), std::string::npos);
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 22);
  fs::remove_all(dir);
}

TEST(ArtworkGenerator, RefusesBadArgumentsAndUnwritableFolders) {
  EXPECT_NE(
      std::system((std::string("\"") + ORVANTH_ARTGEN + "\" --bogus /tmp >/dev/null 2>&1").c_str()),
      0);
  EXPECT_NE(run_generator("--source", "/nonexistent/folder"), 0);
}

}  // namespace

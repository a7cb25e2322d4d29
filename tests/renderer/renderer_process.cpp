#include "tests/renderer/renderer_process.h"

#include <X11/Xutil.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/bmp_file.h"

namespace orvanth::test {

namespace {

// Top row first, RGB; each file differs from every other.
std::vector<std::uint8_t> top_down(int n, int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width * height * 3));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = rgb.data() + static_cast<std::size_t>((y * width + x) * 3);
      p[0] = static_cast<std::uint8_t>(x + 40 * n);
      p[1] = static_cast<std::uint8_t>(y * 3 + n);
      p[2] = static_cast<std::uint8_t>(37 * n + (x ^ y));
    }
  }
  return rgb;
}

void size_of(int n, int& width, int& height) {
  width = n == 0 ? 252 : 256;
  height = n == 0 ? 124 : 256;
}

}  // namespace

std::vector<std::uint8_t> texture_pixels(int n, int& width, int& height) {
  size_of(n, width, height);
  const auto rgb = top_down(n, width, height);
  std::vector<std::uint8_t> bottom_up(rgb.size());
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    std::copy_n(
        rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(height - 1 - y)),
        row, bottom_up.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
  }
  return bottom_up;
}

TextureHome::TextureHome(int skip) {
  setenv("XDG_CACHE_HOME", root().c_str(), 1);
  write_texture_files(root() + "/orvanth/", skip);
}

void write_texture_files(const std::filesystem::path& folder, int skip) {
  for (int n = 0; n < 7; ++n) {
    if (n == skip) {
      continue;
    }
    int width = 0;
    int height = 0;
    size_of(n, width, height);
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "Orvanth%02d.bmp", n);
    if (!orvanth::write_bmp_file((folder / leaf).string(), width, height,
                                 top_down(n, width, height).data())) {
      std::abort();
    }
  }
}

TextureHome::~TextureHome() = default;

Renderer::Renderer(const EnvironmentChanges& environment)
    : process_(std::filesystem::path(ORVANTH_BIN_DIR) / "Orvanth.data", {}, environment,
               err_folder_.path() / "stderr") {}

Renderer::~Renderer() = default;

bool Renderer::running() { return process_.started() && !process_.ended(); }

std::optional<int> Renderer::wait_exit(std::chrono::milliseconds limit) {
  if (!process_.started() || !process_.ends_within(limit)) {
    return std::nullopt;
  }
  const int status = *process_.status();
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string Renderer::stderr_text() const { return file_bytes(err_folder_.path() / "stderr"); }

std::vector<unsigned long> root_pixels(Display* display, int x, int y, int width, int height) {
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return pixels;
  }
  pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      pixels.push_back(XGetPixel(image, column, row) & 0xFFFFFF);
    }
  }
  XDestroyImage(image);
  return pixels;
}

ExtraXServer::ExtraXServer(const std::vector<std::string>& arguments) {
  // Xvfb writes the display number it found free to descriptor 3.
  const auto number_file = folder_.path() / "display";
  std::string command = "exec Xvfb -displayfd 3 -nolisten tcp -noreset";
  for (const auto& argument : arguments) {
    command += " " + argument;
  }
  command += " 3>" + number_file.string() + " 2>/dev/null";
  process_.emplace("/bin/sh", std::vector<std::string>{"-c", command});
  std::string number;
  if (wait_for([&] {
        number = file_bytes(number_file);
        return number.find('\n') != std::string::npos;
      })) {
    name_ = ":" + number.substr(0, number.find('\n'));
  }
}

}  // namespace orvanth::test

// Frames per second of the renderer's frame step (scene time, DrawFrame,
// swap) in its real window, the same program on Linux and on Windows (run
// under Wine there), so the two figures compare. Writes seven texture files
// of the saver's sizes into the texture folder first, as the shell would.
// Also prints the time from main() to the first frame swapped (the window,
// its GL, the textures, one frame). On Linux the backend is chosen as the
// renderer chooses it (ORVANTH_BACKEND forces one); wayland_bench runs it
// on both.
//   frame_loop_bench [seconds per run (3)] [runs (5)]
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/bmp_file.h"
#include "common/texture_files.h"
#include "renderer/render_window.h"

namespace {

bool write_textures() {
  const auto files = orvanth::TextureFileNames();
  for (int n = 0; n < orvanth::kTextureFileCount; ++n) {
    const int width = n == 4 ? 256 : 252;
    const int height = n == 4 ? 256 : 124;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) *
                                  static_cast<std::size_t>(height) * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
      rgb[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(n + 3) / 7);
    }
    if (!orvanth::write_bmp_file(files[static_cast<std::size_t>(n)], width, height, rgb.data())) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto began = std::chrono::steady_clock::now();
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (!write_textures() || !CreateRenderWindow(32)) {
    std::fprintf(stderr, "needs a display with OpenGL and a writable texture folder\n");
    return 1;
  }
  // Frames back to back: no swap interval, no frame callbacks.
  orvanth::window::set_swap_interval(0);
  const std::uint32_t start_tick = orvanth::window::tick();
  orvanth::draw_one_frame(start_tick);
  glFinish();
  std::printf(
      "first frame %.1f ms after start\n",
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count());
  std::vector<double> rates;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    long frames = 0;
    double elapsed = 0;
    while (elapsed < seconds) {
      orvanth::draw_one_frame(start_tick);
      ++frames;
      elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    glFinish();
    rates.push_back(static_cast<double>(frames) / elapsed);
    std::printf("run %d: %.0f frames/s\n", run + 1, rates.back());
  }
  std::sort(rates.begin(), rates.end());
  std::printf("frame loop at %dx%d, median of %d runs: %.0f frames/s\n", ViewWidth, ViewHeight,
              runs, rates[rates.size() / 2]);
  std::fflush(stdout);
  DestroyRenderWindow();
  return 0;
}

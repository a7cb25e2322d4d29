// Frame rate of the loop's frame step and the time to read and upload the
// seven texture files, on the X server in $DISPLAY (the test server: Xvfb
// with Mesa llvmpipe). Run with --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>
// Xlib after benchmark: its macros clash with common names.
#include <GL/gl.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "common/texture_files.h"
#include "renderer/loop_rules.h"
#include "renderer/render_window.h"
#include "renderer/textures/textures.h"
#include "tests/renderer/renderer_process.h"

namespace {

void BM_FrameLoop(benchmark::State& state) {
  const std::uint32_t start = orvanth::window::tick();
  while (state.KeepRunning()) {
    orvanth::draw_one_frame(start);
  }
  glFinish();
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(std::to_string(ViewWidth) + "x" + std::to_string(ViewHeight));
}
BENCHMARK(BM_FrameLoop)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ReadAndUploadSevenFiles(benchmark::State& state) {
  const auto files = orvanth::TextureFileNames();
  std::array<GLuint, orvanth::kTextureFileCount> names{};
  while (state.KeepRunning()) {
    for (int i = 0; i < orvanth::kTextureFileCount; ++i) {
      MakeTexture(files[static_cast<std::size_t>(i)], names[static_cast<std::size_t>(i)]);
    }
    glFinish();
    state.PauseTiming();
    glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReadAndUploadSevenFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  orvanth::test::TextureHome home;  // seven files of the saver's sizes
  // With --hosted, the frames go into a 400 x 300 host window, as in
  // xscreensaver's preview.
  std::optional<orvanth::test::XClient> host_client;
  if (argc > 1 && std::strcmp(argv[1], "--hosted") == 0) {
    host_client.emplace();
    const Window host = host_client->make_window("Host", 400, 300);
    setenv("XSCREENSAVER_WINDOW", std::to_string(host).c_str(), 1);
  }
  if (!CreateRenderWindow(32)) {
    std::fprintf(stderr, "needs an X display with GLX\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  DestroyRenderWindow();
  benchmark::Shutdown();
  return 0;
}

// Frames per second of the whole scene at 1280 x 1024 on the current X
// server, next to the same loop drawing an empty frame; the ratio comes from
// the one run.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "renderer/scene/scene.h"
#include "tests/scene/gl_harness.h"

namespace {

std::unique_ptr<orvanth::test::GlWindow> window;
double scene_seconds_per_frame = 0;
double empty_seconds_per_frame = 0;

void record(benchmark::State& state, double& seconds_per_frame, double elapsed) {
  seconds_per_frame = elapsed / static_cast<double>(state.iterations());
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_EmptyFrame(benchmark::State& state) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    window->swap();
    glFinish();
  }
  record(state, empty_seconds_per_frame,
         std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

void BM_SceneFrame(benchmark::State& state) {
  std::int32_t time = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    SceneTime = time += 10;
    DrawFrame();
    window->swap();
    glFinish();
  }
  record(state, scene_seconds_per_frame,
         std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

BENCHMARK(BM_EmptyFrame)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_SceneFrame)->UseRealTime()->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string error;
  if (!orvanth::test::write_colour_textures(error)) {
    std::fprintf(stderr, "textures: %s\n", error.c_str());
    return 1;
  }
  window = std::make_unique<orvanth::test::GlWindow>(1280, 1024);
  if (!window->ok()) {
    std::fprintf(stderr, "window: %s\n", window->error().c_str());
    return 1;
  }
  SetupScene();
  benchmark::RunSpecifiedBenchmarks();
  if (scene_seconds_per_frame > 0 && empty_seconds_per_frame > 0) {
    std::printf("scene %.1f fps, empty frame %.1f fps, scene/empty frame time ratio %.2f\n",
                1.0 / scene_seconds_per_frame, 1.0 / empty_seconds_per_frame,
                scene_seconds_per_frame / empty_seconds_per_frame);
  }
  window.reset();
  benchmark::Shutdown();
  return 0;
}

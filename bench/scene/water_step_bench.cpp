// CPU time of the pool's per-frame work: one step with its vertices and normals.
#include <benchmark/benchmark.h>

#include "renderer/scene/planets.h"
#include "renderer/scene/water.h"

namespace {

void prepare_busy_pool() {
  WaterDamping = 0.96F;
  orvanth::clear_water();
  // A pool full of crossing waves, as after a minute of bouncing.
  for (int step = 0; step < 200; ++step) {
    for (const auto& place : orvanth::kPlanetTable) {
      StartRipple(place.ripple_row, place.ripple_column);
    }
    orvanth::step_water();
  }
}

void BM_WaterStepWithMesh(benchmark::State& state) {
  prepare_busy_pool();
  int frame = 0;
  for (auto _ : state) {
    // Keep the waves going, as the bouncing planets do.
    if (++frame % 16 == 0) {
      StartRipple(32, 31);
    }
    orvanth::advance_water();
    benchmark::DoNotOptimize(WaterNormals);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WaterStepWithMesh);

void BM_WaterStepOnly(benchmark::State& state) {
  prepare_busy_pool();
  for (auto _ : state) {
    orvanth::step_water();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WaterStepOnly);

void BM_WaterMeshOnly(benchmark::State& state) {
  prepare_busy_pool();
  for (auto _ : state) {
    orvanth::build_water_vertices();
    orvanth::build_water_normals();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WaterMeshOnly);

void BM_PlanetUpdate(benchmark::State& state) {
  orvanth::reset_planets();
  std::int32_t time = 0;
  for (auto _ : state) {
    orvanth::update_planets(time += 16);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlanetUpdate);

}  // namespace

BENCHMARK_MAIN();

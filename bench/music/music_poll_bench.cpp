// Cost of one CD poll and one MP3 poll while music plays (run under the test
// sound server: scripts/test-servers.sh).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "saver/music/media.h"
#include "saver/music/music.h"
#include "saver/shell_state.h"
#include "tests/support/sound_fixtures.h"

namespace {

void BM_PollCd(benchmark::State& state) {
  orvanth::test::Fixtures fx;
  setenv("ORVANTH_CD_DEVICE", fx.disc({300, 500, 700, 900, 1100}, 2.0).c_str(), 1);
  BgmRepeat = static_cast<std::int16_t>(state.range(0));
  OpenCd();
  while (MciQuery("status cdaudio mode") == "not ready") {
  }
  PollCd();  // starts play
  while (state.KeepRunning()) {
    PollCd();
  }
  state.counters["cd_active"] = CdActive ? 1 : 0;
  CloseCd();
}
BENCHMARK(BM_PollCd)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_PollMp3(benchmark::State& state) {
  orvanth::test::Fixtures fx;
  BgmFile = fx.mp3("bench.mp3", 440, 5.0);
  PlayMp3();
  while (state.KeepRunning()) {
    PollMp3();
  }
  state.counters["playing"] = IsMp3Playing() ? 1 : 0;
  CloseMp3();
}
BENCHMARK(BM_PollMp3)->Unit(benchmark::kMicrosecond);

// Called once per run by PlayWav; it asks the sound server for its sinks.
void BM_WaveDeviceCount(benchmark::State& state) {
  std::uint32_t count = 0;
  while (state.KeepRunning()) {
    count = orvanth::music::wave_device_count();
  }
  state.counters["devices"] = count;
}
BENCHMARK(BM_WaveDeviceCount)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

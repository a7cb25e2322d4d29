// Time from PlayMp3 to audible sound at the test server's null sink, over
// several starts; prints the median. Run under scripts/test-servers.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "saver/music/music.h"
#include "saver/shell_state.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wait.h"

int main() {
  using Clock = std::chrono::steady_clock;
  orvanth::test::SinkCapture capture;
  if (!capture.started()) {
    std::fprintf(stderr, "cannot record the null sink (is the test sound server up?)\n");
    return 1;
  }
  orvanth::test::Fixtures fx;
  BgmFile = fx.mp3("latency.mp3", 440, 2.0);
  std::vector<double> ms;
  for (int run = 0; run < 9; ++run) {
    orvanth::test::wait_for([&] { return orvanth::test::is_silent(capture.now(150)); },
                            std::chrono::seconds(3));
    const auto t0 = Clock::now();
    PlayMp3();
    // A 20 ms window so that the onset is seen early.
    bool heard = false;
    while (Clock::now() - t0 < std::chrono::seconds(5)) {
      if (orvanth::test::is_tone(capture.now(40), 440)) {
        heard = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (heard) {
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    CloseMp3();
  }
  if (ms.empty()) {
    std::printf("no start was heard\n");
    return 1;
  }
  std::sort(ms.begin(), ms.end());
  std::printf(
      "PlayMp3 to audible sound at the sink: median %.1f ms (min %.1f, max %.1f, %zu runs)\n",
      ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
  return 0;
}

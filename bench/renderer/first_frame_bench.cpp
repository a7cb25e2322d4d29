// Time from starting Orvanth.data to its first frame on screen, seen through
// X as the backdrop colour appearing; prints each run and the median.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/renderer/renderer_process.h"

namespace t = orvanth::test;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "needs an X display\n");
    return 1;
  }
  t::TextureHome home;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (!t::wait_for([&] {
          return t::root_pixel(display, t::kBackdropX, t::kBackdropY) != t::kBackdropPixel;
        })) {
      std::fprintf(stderr, "screen still shows a frame\n");
      return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    t::Renderer renderer;
    // Polled as fast as X answers, so the figure is not rounded to 20 ms.
    while (t::root_pixel(display, t::kBackdropX, t::kBackdropY) != t::kBackdropPixel) {
      if (!renderer.running()) {
        std::fprintf(stderr, "renderer ended: %s\n", renderer.stderr_text().c_str());
        return 1;
      }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    times.push_back(ms);
    std::printf("run %d: %.1f ms\n", i + 1, ms);
    t::send_close_request(display, t::find_window(display, "Lumevar_Delphi"));
    if (renderer.wait_exit() != 0) {
      std::fprintf(stderr, "renderer did not end cleanly\n");
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("start to first frame, median of %d runs: %.1f ms\n", runs, times[times.size() / 2]);
  XCloseDisplay(display);
  return 0;
}

// Time from starting Orvanth.data to its first frame on screen, seen through
// X as the backdrop colour appearing; prints each run and the median. With
// --wine, the Windows build's renderer under Wine on the same X server
// (needs a Linux build configured with ORVANTH_WINDOWS_BUILD and the test
// servers' WINEPREFIX).
//   first_frame_bench [runs (7)] [--wine]
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "tests/renderer/renderer_process.h"
#include "tests/support/wine.h"

namespace t = orvanth::test;

namespace {

// One renderer of either build, seen as a process.
class Started {
 public:
  explicit Started(bool wine) {
    if (wine) {
      windows_.emplace(t::wine::dist() / "Orvanth.data", std::vector<std::string>{});
    } else {
      linux_.emplace();
    }
  }
  bool running() { return linux_ ? linux_->running() : !windows_->ended(); }
  bool ended_cleanly() {
    if (linux_) {
      return linux_->wait_exit() == 0;
    }
    return windows_->ends_within(t::kDefaultLimit) && windows_->exit_code() == 0;
  }

 private:
  std::optional<t::Renderer> linux_;
  std::optional<t::wine::Program> windows_;
};

bool backdrop_shown(Display* display) {
  return t::root_pixel(display, t::kBackdropX, t::kBackdropY) == t::kBackdropPixel;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7;
  bool wine = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--wine") == 0) {
      wine = true;
    } else {
      runs = std::max(1, std::atoi(argv[i]));
    }
  }
  if (wine && !t::wine::available()) {
    std::fprintf(stderr, "--wine needs ORVANTH_WINDOWS_BUILD and WINEPREFIX\n");
    return 1;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "needs an X display\n");
    return 1;
  }
  t::TextureHome home;
  if (wine) {
    t::write_texture_files(t::wine::unix_folder("textures"));
  }
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (!t::wait_for([&] { return !backdrop_shown(display); })) {
      std::fprintf(stderr, "screen still shows a frame\n");
      return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    Started renderer(wine);
    // Polled every 10 ms: closer polls take the X server from the program
    // being measured (under Wine, 2 ms polls made its start ten times slower).
    while (!backdrop_shown(display)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (!renderer.running()) {
        std::fprintf(stderr, "renderer ended before its first frame\n");
        return 1;
      }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    times.push_back(ms);
    std::printf("run %d: %.1f ms\n", i + 1, ms);
    t::send_close_request(display, t::find_window(display, "Lumevar_Delphi"));
    if (!renderer.ended_cleanly()) {
      std::fprintf(stderr, "renderer did not end cleanly\n");
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("%s renderer, start to first frame, median of %d runs: %.1f ms\n",
              wine ? "Windows (Wine)" : "Linux", runs, times[times.size() / 2]);
  XCloseDisplay(display);
  return 0;
}

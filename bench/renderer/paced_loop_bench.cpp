// The renderer's frame loop as it runs (RunRenderer: pacing, message waits,
// one view per monitor), on a fresh Xvfb per case: frames a second, CPU use
// in cores (the process's, GL's threads included) and water steps a second,
// at 640x480 and 1280x1024, on one monitor and on two (the screen's halves),
// paced and unpaced (the renderer's benchmark switch).
//   paced_loop_bench [seconds measured per case (5)]
#include <X11/Xlib.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

#include "common/window_titles.h"
#include "renderer/render_window.h"
#include "tests/renderer/renderer_process.h"

namespace {

using namespace std::chrono_literals;

double process_cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Sample {
  std::chrono::steady_clock::time_point wall;
  double cpu;
  std::uint64_t frames;
  std::int64_t steps;
};

Sample sample() {
  const auto& counts = orvanth::loop_counts();
  return {std::chrono::steady_clock::now(), process_cpu_seconds(), counts.frames.load(),
          counts.water_steps.load()};
}

// One case, in this process on $DISPLAY: a second to settle, then seconds
// measured; a close request ends the loop.
int run_one(double seconds) {
  const orvanth::test::TextureHome home;
  Sample first{};
  Sample last{};
  bool measured = false;
  std::thread watcher([&] {
    const auto give_up = std::chrono::steady_clock::now() + 60s;
    while (orvanth::loop_counts().frames.load() == 0 &&
           std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(1s);
    first = sample();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    last = sample();
    measured = true;
    Display* display = XOpenDisplay(nullptr);
    if (display != nullptr) {
      orvanth::test::send_close_request(
          display, orvanth::test::find_window(display, orvanth::kRendererTitle));
      XCloseDisplay(display);
    }
  });
  RunRenderer();
  watcher.join();
  if (!measured) {
    return 1;
  }
  const double wall = std::chrono::duration<double>(last.wall - first.wall).count();
  std::printf("%.1f %.2f %.1f\n", static_cast<double>(last.frames - first.frames) / wall,
              (last.cpu - first.cpu) / wall, static_cast<double>(last.steps - first.steps) / wall);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--one") == 0) {
    return run_one(std::atof(argv[2]));
  }
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
  std::printf("%-10s %-9s %-8s %10s %10s %14s\n", "screen", "monitors", "loop", "frames/s",
              "CPU cores", "water steps/s");
  for (const auto& [width, height] : {std::pair{640, 480}, std::pair{1280, 1024}}) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const orvanth::test::ExtraXServer server({"-screen", "0", size + "x24", "+extension", "GLX"});
    if (server.name().empty()) {
      std::fprintf(stderr, "no Xvfb\n");
      return 1;
    }
    const std::string display = "DISPLAY=" + server.name() + " ";
    for (const int monitors : {1, 2}) {
      if (monitors == 2) {
        // Two halves side by side, the left one primary.
        const std::string half =
            std::to_string(width / 2) + "/100x" + std::to_string(height) + "/100";
        std::string command = display;
        command += "xrandr --setmonitor '*left' " + half + "+0+0 screen >/dev/null && ";
        command += display;
        command += "xrandr --setmonitor right " + half + "+" + std::to_string(width / 2);
        command += "+0 none >/dev/null";
        if (std::system(command.c_str()) != 0) {
          std::fprintf(stderr, "xrandr --setmonitor failed\n");
          return 1;
        }
      }
      for (const bool paced : {true, false}) {
        const std::string command =
            display + (paced ? "" : std::string(orvanth::kUnpacedSwitch) + "=1 ") + "/proc/" +
            std::to_string(getpid()) + "/exe --one " + std::to_string(seconds);
        std::FILE* child = popen(command.c_str(), "r");
        char line[128] = {};
        const bool read = child != nullptr && std::fgets(line, sizeof line, child) != nullptr;
        if (child != nullptr) {
          pclose(child);
        }
        double fps = 0;
        double cores = 0;
        double steps = 0;
        if (!read || std::sscanf(line, "%lf %lf %lf", &fps, &cores, &steps) != 3) {
          std::fprintf(stderr, "%s: the case did not run\n", command.c_str());
          return 1;
        }
        std::printf("%-10s %-9d %-8s %10.1f %10.2f %14.1f\n", size.c_str(), monitors,
                    paced ? "paced" : "unpaced", fps, cores, steps);
        std::fflush(stdout);
      }
    }
  }
  return 0;
}

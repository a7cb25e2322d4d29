// The renderer on Wayland against X11 on the same machine: frame_loop_bench
// (start to first frame, frames per second) on headless sway with one
// 1280x1024 output, run as an ordinary user, and on the test X server
// (1280x1024, scripts/test-servers.sh); both through Mesa's llvmpipe.
//   wayland_bench [seconds per run (3)] [runs (5)]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/files.h"
#include "tests/support/headless_sway.h"

namespace t = orvanth::test;

int main(int argc, char** argv) {
  const std::string seconds = argc > 1 ? argv[1] : "3";
  const std::string runs = argc > 2 ? argv[2] : "5";
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "needs the test X server (scripts/test-servers.sh)\n");
    return 1;
  }
  t::HeadlessSway sway;
  if (!sway.ready() || !sway.message({"output", "HEADLESS-1", "mode", "1280x1024"})) {
    std::fprintf(stderr, "headless sway did not come up\n");
    return 1;
  }
  const std::string out = (sway.home() / "wayland.txt").string();
  const std::string command = std::string("exec \"$0\" \"$@\" > ") + out;
  sway.give_to_user(sway.home());
  if (!sway.run("/bin/sh", {"-c", command, FRAME_LOOP_BENCH, seconds, runs})) {
    std::fprintf(stderr, "frame_loop_bench failed on Wayland\n");
  }
  std::printf("== Wayland (headless sway, layer shell, EGL)\n%s", t::file_bytes(out).c_str());
  std::fflush(stdout);
  const t::TempFolder cache("orvanth-bench");
  const std::string x11 = "ORVANTH_BACKEND=x11 XDG_CACHE_HOME='" + cache.path().string() + "' '" +
                          FRAME_LOOP_BENCH + "' " + seconds + " " + runs;
  std::printf("== X11 (Xvfb, GLX)\n");
  std::fflush(stdout);
  return std::system(x11.c_str()) == 0 ? 0 : 1;
}

// The CPU time orvanth --idle takes while it waits (idle limit 10 minutes,
// so no run starts): on headless sway (KDE's idle protocol), on headless
// Mutter (its D-Bus idle monitor) and on the test X server (MIT-SCREEN-SAVER). Prints milliseconds
// of CPU per minute.
//   idle_wait_cpu_bench [seconds (20)]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/headless_mutter.h"
#include "tests/support/headless_sway.h"

namespace t = orvanth::test;

namespace {

// utime + stime of the process, in clock ticks; -1 when it is gone.
long cpu_ticks(pid_t pid) {
  std::istringstream in(t::file_bytes("/proc/" + std::to_string(pid) + "/stat"));
  std::string field;
  long utime = -1;
  long stime = -1;
  // The name (field 2) has no blanks here: fields 14 and 15.
  for (int i = 1; i <= 15 && in >> field; ++i) {
    if (i == 14) {
      utime = std::stol(field);
    } else if (i == 15) {
      stime = std::stol(field);
    }
  }
  return utime < 0 || stime < 0 ? -1 : utime + stime;
}

// The launcher is the exec'd end of setpriv/env, so the same pid.
void measure(const char* name, t::Process& launcher, double seconds) {
  const long before = cpu_ticks(launcher.pid());
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const long after = cpu_ticks(launcher.pid());
  if (before < 0 || after < 0) {
    std::printf("%s: the launcher ended\n", name);
    return;
  }
  const double tick_ms = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  const double ms = static_cast<double>(after - before) * tick_ms;
  std::printf("%s: %.1f ms CPU in %.0f s of waiting (%.2f ms a minute; counted in %.0f ms ticks)\n",
              name, ms, seconds, ms * 60.0 / seconds, tick_ms);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
  {
    t::HeadlessSway sway;
    if (!sway.ready()) {
      std::fprintf(stderr, "headless sway did not come up\n");
      return 1;
    }
    const auto launcher = sway.start(ORVANTH_BIN_DIR "/Orvanth.scr", {"--idle", "10"});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    measure("Wayland (sway, org_kde_kwin_idle)", *launcher, seconds);
  }
  {
    t::HeadlessMutter mutter;
    if (!mutter.ready()) {
      std::fprintf(stderr, "headless Mutter did not come up\n");
      return 1;
    }
    const auto launcher = mutter.start(ORVANTH_BIN_DIR "/Orvanth.scr", {"--idle", "10"});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    measure("GNOME (Mutter, org.gnome.Mutter.IdleMonitor)", *launcher, seconds);
  }
  if (std::getenv("DISPLAY") != nullptr) {
    t::Process launcher(ORVANTH_BIN_DIR "/Orvanth.scr", {"--idle", "10"},
                        {{"WAYLAND_DISPLAY", std::nullopt}});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    measure("X11 (Xvfb, MIT-SCREEN-SAVER)", launcher, seconds);
  }
  return 0;
}

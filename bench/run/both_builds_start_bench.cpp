// "Orvanth.scr /s" to the renderer's first frame for the Linux build and
// for the Windows build under Wine, on the same X server, one after the
// other; then each shell's CPU over 10 s while its renderer draws. Prints
// every run and the medians. Needs a build configured with
// ORVANTH_WINDOWS_BUILD, on the test servers (scripts/test-servers.sh).
//   both_builds_start_bench [runs (7)]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/run/run_shell.h"
#include "tests/support/wine_shell.h"

namespace t = orvanth::test;
using Clock = std::chrono::steady_clock;

namespace {

// Nanoseconds the process has run on a CPU.
double cpu_ns(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = -1;
  in >> ns;
  return ns;
}

// Starts a shell, waits for its run's first frame: milliseconds, or < 0
// when none came.
double start_to_frame(t::Screen& screen, const std::function<std::unique_ptr<t::Process>()>& start,
                      std::unique_ptr<t::Process>& shell) {
  screen.move_pointer(t::kStartX, t::kStartY);
  if (!screen.window_gone_within("Lumevar_Delphi", std::chrono::seconds(60))) {
    return -1;
  }
  const auto t0 = Clock::now();
  shell = start();
  const auto deadline = t0 + std::chrono::seconds(60);
  while (screen.root_pixel(640, 2) != t::kBackdropPixel) {
    if (Clock::now() > deadline || shell->ended()) {
      return -1;
    }
    // Closer polls take the X server from the programs being measured.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double shell_cpu_percent(pid_t pid) {
  const double before = cpu_ns(pid);
  const auto from = Clock::now();
  ::sleep(10);
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  return 100.0 * (cpu_ns(pid) - before) / 1e9 / seconds;
}

// One run of a build: the time to its first frame, on the last run also the
// shell's CPU; the run is ended with the mouse.
void one_run(t::Screen& screen, const char* build, int run, bool last,
             const std::function<std::unique_ptr<t::Process>()>& start,
             std::vector<double>& times) {
  std::unique_ptr<t::Process> shell;
  const double ms = start_to_frame(screen, start, shell);
  std::printf("run %d: %s /s to first frame %.1f ms\n", run, build, ms);
  if (ms >= 0) {
    times.push_back(ms);
    if (last) {
      std::printf("%s shell CPU while the run goes on: %.2f %% of a core\n", build,
                  shell_cpu_percent(shell->pid()));
    }
  }
  screen.move_pointer(t::kStartX + 31, t::kStartY + 31);
  screen.window_gone_within("Lumevar_Delphi", std::chrono::seconds(60));
  shell->ends_within(std::chrono::seconds(30));
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  t::Screen screen;
  if (!screen.open() || !t::wine::available()) {
    std::fprintf(
        stderr,
        "needs the test X server and a Windows build (ORVANTH_WINDOWS_BUILD, WINEPREFIX)\n");
    return 1;
  }
  t::ShellInstall linux_install;
  t::wine::ShellFolder windows_folder;
  std::vector<double> linux_ms, windows_ms;
  for (int i = 0; i < runs; ++i) {
    const bool last = i == runs - 1;
    one_run(
        screen, "Linux", i + 1, last,
        [&] {
          return std::make_unique<t::RunShell>(linux_install, std::vector<std::string>{"/s"});
        },
        linux_ms);
    one_run(
        screen, "Windows (Wine)", i + 1, last,
        [&] {
          return std::make_unique<t::wine::Program>(windows_folder.program(),
                                                    std::vector<std::string>{"/s"});
        },
        windows_ms);
  }
  std::printf(
      "median /s to first frame: Linux %.1f ms (%zu runs), Windows under Wine %.1f ms (%zu runs)\n",
      median(linux_ms), linux_ms.size(), median(windows_ms), windows_ms.size());
  return 0;
}

// Time from starting "Orvanth.scr /a" to its exit: start-up, the guard's
// three look-ups and the settings read. Prints the median of ten runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/support/shell_run.h"

int main() {
  const orvanth::test::ShellInstall install(false);
  orvanth::test::write_settings(install, 0, 0, "");
  std::vector<double> times;
  for (int run = 0; run < 10; ++run) {
    const auto start = std::chrono::steady_clock::now();
    orvanth::test::ShellProcess shell(install, {"/a"});
    if (!shell.started()) {
      std::fprintf(stderr, "cannot start %s\n", install.program().c_str());
      return 1;
    }
    shell.wait();
    const auto end = std::chrono::steady_clock::now();
    if (shell.exit_code() != 0) {
      std::fprintf(stderr, "Orvanth.scr /a failed (is DISPLAY set?)\n");
      return 1;
    }
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("Orvanth.scr /a start to exit: median %.1f ms (min %.1f, max %.1f, 10 runs)\n",
              (times[4] + times[5]) / 2, times.front(), times.back());
  return 0;
}

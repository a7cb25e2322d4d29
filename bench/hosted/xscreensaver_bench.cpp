// Orvanth under a real xscreensaver daemon (installed in a temporary prefix,
// as the hosted tests do): from xscreensaver-command -activate to the first
// frame in xscreensaver's window (median of five), from -deactivate to no
// Orvanth process left, the hosted shell's CPU while the scene runs, and the
// resident memory of both programs.
// Run on the test servers, as root:
//   . scripts/test-servers.sh && build-<you>/bench/hosted/xscreensaver_bench
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/hosted/scene_check.h"
#include "tests/hosted/xscreensaver_daemon.h"
#include "tests/support/x_client.h"

namespace {

using namespace orvanth::test;
using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

constexpr int kRounds = 5;
constexpr auto kCpuWindow = seconds(5);

// utime + stime in clock ticks.
long cpu_ticks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long utime = 0;
  long stime = 0;
  for (int i = 3; fields >> field; ++i) {
    if (i == 14) {
      utime = std::stol(field);
    } else if (i == 15) {
      stime = std::stol(field);
      break;
    }
  }
  return utime + stime;
}

long rss_kib(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  XClient x;
  InstallPrefix prefix;
  if (x.display() == nullptr || !prefix.installed()) {
    std::fprintf(stderr, "needs the test X server and a build to install\n");
    return 1;
  }
  XScreenSaverDaemon daemon(prefix);
  if (!daemon.ready()) {
    std::fprintf(stderr, "xscreensaver did not start\n");
    return 1;
  }
  std::vector<double> first_frame_ms;
  std::vector<double> cpu_percent;
  std::vector<double> shell_rss;
  std::vector<double> renderer_rss;
  std::vector<double> end_ms;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    std::optional<Window> host;
    if (!daemon.command("-activate") ||
        !wait_for([&] { return (host = daemon.host_window()).has_value(); }, seconds(30)) ||
        !scene_within(x.display(), *host, seconds(30))) {
      std::fprintf(stderr, "round %d: no scene\n", round + 1);
      return 1;
    }
    first_frame_ms.push_back(
        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    const pid_t shell = processes_of(prefix.shell()).at(0);
    const pid_t renderer = processes_of(prefix.renderer()).at(0);
    const long before = cpu_ticks(shell);
    std::this_thread::sleep_for(kCpuWindow);  // a measuring window, not a wait
    const double seconds_used = static_cast<double>(cpu_ticks(shell) - before) /
                                static_cast<double>(::sysconf(_SC_CLK_TCK));
    cpu_percent.push_back(100.0 * seconds_used / std::chrono::duration<double>(kCpuWindow).count());
    shell_rss.push_back(static_cast<double>(rss_kib(shell)) / 1024.0);
    renderer_rss.push_back(static_cast<double>(rss_kib(renderer)) / 1024.0);
    const auto deactivated = Clock::now();
    daemon.command("-deactivate");
    if (!wait_for([&] { return !prefix.any_running(); }, seconds(10))) {
      std::fprintf(stderr, "round %d: Orvanth still running after -deactivate\n", round + 1);
      return 1;
    }
    end_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - deactivated).count());
  }
  std::printf("xscreensaver -activate to first frame in its window: median %.0f ms (",
              median(first_frame_ms));
  for (const double ms : first_frame_ms) {
    std::printf(" %.0f", ms);
  }
  std::printf(" )\n");
  std::printf("xscreensaver -deactivate to no Orvanth process left: median %.0f ms\n",
              median(end_ms));
  std::printf("hosted shell CPU while the scene runs: median %.1f %% of one core\n",
              median(cpu_percent));
  std::printf("resident memory: shell median %.1f MiB, renderer median %.1f MiB\n",
              median(shell_rss), median(renderer_rss));
  return 0;
}

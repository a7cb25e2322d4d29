// The downloads' sizes, then from the silent install to the first frame of
// the screen saver it set, in a Wine prefix of its own (made before the
// clock starts): the setup's run, and from starting SCRNSAVE.EXE /s to the
// renderer's first frame. Each run uninstalls after it. Prints every run
// and the medians. Needs a build configured with ORVANTH_WINDOWS_BUILD whose
// Windows build has made package_windows, on the test servers:
// "together" is from the setup's start to the first frame.
//   . scripts/test-servers.sh && build-<you>/tests/package/install_first_frame_bench [runs (5)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "tests/package/wine_package.h"
#include "tests/run/run_shell.h"
#include "tests/support/wine.h"

namespace t = orvanth::test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr char kDesktop[] = "HKCU\\Control Panel\\Desktop";
constexpr char kEntry[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvanth";

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Round {
  double install_ms = -1;
  double frame_ms = -1;
  double total_ms = -1;  // the install's start to the first frame
};

// One install, run and uninstall; false when a step did not happen.
bool one_round(t::Screen& screen, Round& out) {
  screen.move_pointer(t::kStartX, t::kStartY);
  const auto start = Clock::now();
  if (t::wine::run(t::wine::setup_download().string(), {"/S"}) != 0) {
    return false;
  }
  out.install_ms = ms_since(start);
  const std::optional<std::string> saver = t::wine::registry_value(kDesktop, "SCRNSAVE.EXE");
  if (!saver) {
    return false;
  }
  const auto started = Clock::now();
  t::wine::Program run(*saver, {"/s"});
  const auto deadline = started + std::chrono::seconds(60);
  while (screen.root_pixel(640, 2) != t::kBackdropPixel) {
    if (Clock::now() > deadline || run.ended()) {
      return false;
    }
    // Closer polls take the X server from the programs being measured.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  out.frame_ms = ms_since(started);
  out.total_ms = ms_since(start);
  screen.move_pointer(t::kStartX + 31, t::kStartY + 31);
  const std::optional<std::string> quiet = t::wine::registry_value(kEntry, "QuietUninstallString");
  if (!run.ends_within(std::chrono::seconds(60)) ||
      !screen.window_gone_within("Lumevar_Delphi", std::chrono::seconds(60)) || !quiet) {
    return false;
  }
  const std::size_t close = quiet->find('"', 1);
  const auto removed = [] { return !t::wine::registry_key_exists(kEntry); };
  return t::wine::run(quiet->substr(1, close - 1), {"/S"}) == 0 &&
         t::wait_for(removed, std::chrono::seconds(60));
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  if (!t::wine::available() || !fs::exists(t::wine::setup_download())) {
    std::fprintf(stderr, "needs the test servers and the Windows build's package_windows\n");
    return 2;
  }
  std::printf("%-32s %9ju bytes\n", t::wine::zip_download().filename().c_str(),
              static_cast<std::uintmax_t>(fs::file_size(t::wine::zip_download())));
  std::printf("%-32s %9ju bytes\n", t::wine::setup_download().filename().c_str(),
              static_cast<std::uintmax_t>(fs::file_size(t::wine::setup_download())));
  t::wine::OwnPrefix prefix;
  t::Screen screen;
  if (!prefix.made() || !screen.open()) {
    std::fprintf(stderr, "no Wine prefix or no X display\n");
    return 1;
  }
  std::vector<double> installs;
  std::vector<double> frames;
  std::vector<double> totals;
  for (int i = 0; i < runs; ++i) {
    Round round;
    if (!one_round(screen, round)) {
      std::fprintf(stderr, "run %d failed\n", i + 1);
      return 1;
    }
    installs.push_back(round.install_ms);
    frames.push_back(round.frame_ms);
    totals.push_back(round.total_ms);
    std::printf("run %d: install %5.0f ms, /s to first frame %5.0f ms, together %5.0f ms\n", i + 1,
                round.install_ms, round.frame_ms, totals.back());
  }
  std::printf("median: install %5.0f ms, /s to first frame %5.0f ms, together %5.0f ms\n",
              median(installs), median(frames), median(totals));
  return 0;
}

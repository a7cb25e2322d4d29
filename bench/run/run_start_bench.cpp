// From "Orvanth.scr /s" to the renderer's first frame, split by what the
// texture folder and /proc show; then the shell's CPU use over 10 s while the
// renderer draws, and the resident memory of both processes. Prints medians.
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/run/run_shell.h"

namespace {

using Clock = std::chrono::steady_clock;
using orvanth::test::RunShell;
using orvanth::test::ShellInstall;

double ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Timeline {
  double shell_start = 0;  // spawn -> first texture file begun
  double textures = 0;     // -> Orvanth00.bmp in place
  double process = 0;      // -> renderer process running
  double gl_setup = 0;     // -> renderer opens its first texture
  double upload = 0;       // -> first frame on screen
  double total = 0;
};

// Nanoseconds the process has run on a CPU (all its threads).
double cpu_ns(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = -1;
  in >> ns;
  return ns;
}

long cpu_ticks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) {
    return -1;
  }
  std::string rest = text.substr(close + 2);
  long utime = 0;
  long stime = 0;
  std::sscanf(rest.c_str(), "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %ld %ld", &utime, &stime);
  return utime + stime;
}

long rss_kib(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

bool one_run(orvanth::test::Screen& screen, const ShellInstall& install, bool measure_cpu,
             Timeline& t) {
  const auto folder = install.cache() / "orvanth";
  std::filesystem::create_directories(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  inotify_add_watch(fd, folder.c_str(), IN_CREATE | IN_MOVED_TO | IN_OPEN);
  screen.move_pointer(orvanth::test::kStartX, orvanth::test::kStartY);
  const auto t0 = Clock::now();
  RunShell shell(install, {"/s"});
  Clock::time_point first_write{}, written{}, running{}, first_open{}, frame{};
  const auto deadline = t0 + std::chrono::seconds(20);
  const auto renderer_path = install.folder() / "Orvanth.data";
  while (frame == Clock::time_point{} && Clock::now() < deadline) {
    // File events wake the loop at once; the screen and /proc are looked at
    // every 10 ms, as closer polls take the X server and the CPU from the
    // programs being measured.
    pollfd watch{fd, POLLIN, 0};
    ::poll(&watch, 1, 10);
    alignas(inotify_event) char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
      const auto now = Clock::now();
      for (ssize_t off = 0; off < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + off);
        const std::string name = e->len > 0 ? e->name : "";
        if ((e->mask & IN_CREATE) && first_write == Clock::time_point{}) {
          first_write = now;
        }
        if ((e->mask & IN_MOVED_TO) && name == "Orvanth00.bmp") {
          written = now;
        }
        if ((e->mask & IN_OPEN) && written != Clock::time_point{} &&
            first_open == Clock::time_point{} && name.rfind("Orvanth0", 0) == 0) {
          first_open = now;
        }
        off += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    if (written != Clock::time_point{} && running == Clock::time_point{} &&
        !orvanth::test::processes_of(renderer_path).empty()) {
      running = Clock::now();
    }
    if (first_open != Clock::time_point{} &&
        screen.root_pixel(640, 2) == orvanth::test::kBackdropPixel) {
      frame = Clock::now();
    }
  }
  ::close(fd);
  if (frame == Clock::time_point{} || running == Clock::time_point{}) {
    return false;
  }
  if (running > first_open) {
    running = first_open;  // the renderer was quicker than the /proc scan
  }
  t = {ms(t0, first_write),     ms(first_write, written), ms(written, running),
       ms(running, first_open), ms(first_open, frame),    ms(t0, frame)};
  if (measure_cpu) {
    const pid_t renderer = *shell.renderer();
    const long ticks_per_s = sysconf(_SC_CLK_TCK);
    const long before = cpu_ticks(shell.pid());
    const double before_ns = cpu_ns(shell.pid());
    const auto start = Clock::now();
    ::sleep(10);
    const long after = cpu_ticks(shell.pid());
    const double after_ns = cpu_ns(shell.pid());
    const double seconds = ms(start, Clock::now()) / 1000.0;
    std::printf(
        "shell CPU while the renderer runs: %.3f %% of a core over %.1f s (%ld ticks)\n",
        100.0 * static_cast<double>(after - before) / static_cast<double>(ticks_per_s) / seconds,
        seconds, after - before);
    std::printf("shell CPU by schedstat: %.3f %% of a core\n",
                100.0 * (after_ns - before_ns) / 1e9 / seconds);
    std::printf("resident memory: shell %ld KiB, renderer %ld KiB\n", rss_kib(shell.pid()),
                rss_kib(renderer));
  }
  screen.move_pointer(orvanth::test::kStartX + 31, orvanth::test::kStartY + 31);
  shell.ends_within(std::chrono::seconds(5));
  shell.renderer_gone_within(std::chrono::seconds(10));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
  orvanth::test::Screen screen;
  if (!screen.open()) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  // One user for all runs, after one run not counted: their cache folder
  // holds Mesa's compiled shaders from then on, as a user's does. A fresh
  // cache costs llvmpipe about 170 ms more in the first frame.
  ShellInstall install;
  Timeline warm_up;
  one_run(screen, install, false, warm_up);
  std::vector<double> shell_start, textures, process, gl, upload, total;
  for (int i = 0; i < runs; ++i) {
    Timeline t;
    if (!one_run(screen, install, i == runs - 1, t)) {
      std::fprintf(stderr, "run %d: no first frame\n", i);
      continue;
    }
    std::printf(
        "run %d: total %.1f ms (shell start %.1f, textures %.1f, process %.1f, GL %.1f, "
        "upload+frame %.1f)\n",
        i, t.total, t.shell_start, t.textures, t.process, t.gl_setup, t.upload);
    shell_start.push_back(t.shell_start);
    textures.push_back(t.textures);
    process.push_back(t.process);
    gl.push_back(t.gl_setup);
    upload.push_back(t.upload);
    total.push_back(t.total);
  }
  std::printf(
      "median of %zu: /s to first frame %.1f ms = shell start-up %.1f + texture writing %.1f"
      " + process start %.1f + GL set-up %.1f + texture upload and first frame %.1f\n",
      total.size(), median(total), median(shell_start), median(textures), median(process),
      median(gl), median(upload));
  return 0;
}

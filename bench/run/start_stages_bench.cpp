// "Orvanth.scr /s" to the renderer's first frame, stage by stage, beside
// xscreensaver's bubble3d (-root) from its start to its first frame, the two
// taken in turns on the same X server. Both run under the stage_trace preload,
// which notes each stage with the monotonic clock this program starts them by.
// Prints a table of medians and the ratio of the two totals.
//
//   . scripts/test-servers.sh && build-<you>/bench/run/start_stages_bench [runs]
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kBubble3d = "/usr/libexec/xscreensaver/bubble3d";
constexpr auto kLimit = std::chrono::seconds(30);

std::int64_t now_ns() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

struct Event {
  pid_t pid;
  std::string stage;
  std::string detail;
  std::int64_t ns;
};

std::vector<Event> read_trace(const fs::path& path) {
  std::vector<Event> events;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) {
      w.push_back(word);
    }
    if (w.size() == 3 || w.size() == 4) {
      events.push_back({std::stoi(w[0]), w[1], w.size() == 4 ? w[2] : "", std::stoll(w.back())});
    }
  }
  return events;
}

pid_t spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::vector<std::string>& extra_environment) {
  std::vector<std::string> env(extra_environment);
  for (char** e = environ; *e != nullptr; ++e) {
    env.emplace_back(*e);
  }
  std::vector<char*> envp;
  envp.reserve(env.size() + 1);
  for (std::string& e : env) {
    envp.push_back(e.data());
  }
  envp.push_back(nullptr);
  std::vector<std::string> args = {program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& a : args) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  pid_t pid = -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

// Waits until the trace holds a first frame, then ends every process in it
// and reaps them (this program is their subreaper).
std::vector<Event> run_until_frame(const fs::path& trace, pid_t first) {
  const auto deadline = std::chrono::steady_clock::now() + kLimit;
  std::vector<Event> events;
  for (;;) {
    events = read_trace(trace);
    const bool framed = std::any_of(events.begin(), events.end(),
                                    [](const Event& e) { return e.stage == "frame"; });
    if (framed || std::chrono::steady_clock::now() > deadline) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(first, SIGTERM);
  for (const Event& e : events) {
    kill(e.pid, SIGTERM);
  }
  const auto reap_deadline = std::chrono::steady_clock::now() + kLimit;
  while (std::chrono::steady_clock::now() < reap_deadline) {
    const pid_t done = waitpid(-1, nullptr, WNOHANG);
    if (done < 0) {
      break;  // no children left
    }
    if (done == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return events;
}

bool any_window_titled(Display* display, const std::vector<std::string>& titles) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return false;
  }
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      found = std::find(titles.begin(), titles.end(), name) != titles.end();
      XFree(name);
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

// Milliseconds between two events; -1 when either is missing.
struct Timeline {
  std::int64_t t0;
  std::vector<Event> events;

  const Event* find(const std::string& stage, bool last = false, pid_t pid = 0,
                    const std::string& detail = "") const {
    const Event* hit = nullptr;
    for (const Event& e : events) {
      if (e.stage == stage && (pid == 0 || e.pid == pid) &&
          (detail.empty() || e.detail == detail)) {
        hit = &e;
        if (!last) {
          break;
        }
      }
    }
    return hit;
  }
  static double span(const Event* from, const Event* to) {
    return from != nullptr && to != nullptr ? static_cast<double>(to->ns - from->ns) / 1e6 : -1;
  }
  double since_start(const Event* to) const {
    return to != nullptr ? static_cast<double>(to->ns - t0) / 1e6 : -1;
  }
};

double median(std::vector<double> v) {
  v.erase(std::remove(v.begin(), v.end(), -1.0), v.end());
  if (v.empty()) {
    return -1;
  }
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

using Rows = std::vector<std::pair<std::string, double>>;

// Stages of one Orvanth run, each the time from the previous mark.
Rows orvanth_stages(const Timeline& t, pid_t shell) {
  const Event* spawn = t.find("spawn", false, shell);
  const Event* frame = t.find("frame");
  const pid_t renderer = frame != nullptr ? frame->pid : -1;
  const Event* r_start = t.find("start", false, renderer);
  const Event* x = t.find("x_opened", false, renderer);
  const Event* glx = t.find("glx_current", false, renderer);
  const Event* first_read = t.find("read", false, renderer);
  Rows rows = {
      {"shell: exec and libraries", t.since_start(t.find("start", false, shell))},
      {"shell: X, Qt, settings, art",
       Timeline::span(t.find("start", false, shell), t.find("write", false, shell))},
      {"shell: writing 7 texture files",
       Timeline::span(t.find("write", false, shell), t.find("written", true, shell))},
      {"shell: to renderer spawn", Timeline::span(t.find("written", true, shell), spawn)},
      {"renderer: exec and libraries", Timeline::span(spawn, r_start)},
      {"renderer: X connection", Timeline::span(r_start, x)},
      {"renderer: GLX visual, window, context", Timeline::span(x, glx)},
      {"renderer: show, view, scene set-up", Timeline::span(glx, first_read)},
  };
  // Each texture from its read to its upload, in call order.
  const Event* previous = first_read;
  int n = 0;
  for (const Event& e : t.events) {
    if (e.pid == renderer && e.stage == "uploaded") {
      rows.emplace_back("renderer: texture " + std::to_string(n++) + " read and upload",
                        Timeline::span(previous, &e));
      previous = &e;
    }
  }
  rows.emplace_back("renderer: first frame drawn and swapped", Timeline::span(previous, frame));
  rows.emplace_back("TOTAL /s to first frame", t.since_start(frame));
  return rows;
}

Rows bubble_stages(const Timeline& t) {
  const Event* start = t.find("start");
  const Event* x = t.find("x_opened");
  const Event* glx = t.find("glx_current");
  const Event* frame = t.find("frame");
  return {
      {"bubble3d: exec and libraries", t.since_start(start)},
      {"bubble3d: X connection", Timeline::span(start, x)},
      {"bubble3d: GLX visual, window, context", Timeline::span(x, glx)},
      {"bubble3d: scene set-up and first frame", Timeline::span(glx, frame)},
      {"TOTAL bubble3d start to first frame", t.since_start(frame)},
  };
}

void add(std::map<std::string, std::vector<double>>& table, std::vector<std::string>& order,
         const Rows& rows) {
  for (const auto& [name, ms] : rows) {
    if (table.find(name) == table.end()) {
      order.push_back(name);
    }
    table[name].push_back(ms);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "needs an X display (scripts/test-servers.sh)\n");
    return 1;
  }
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const fs::path bin = ORVANTH_BIN_DIR;
  const std::string preload = "LD_PRELOAD=" + std::string(ORVANTH_STAGE_TRACE_LIB);
  const bool with_bubble = fs::exists(kBubble3d);
  if (!with_bubble) {
    std::fprintf(stderr, "%s not installed (xscreensaver-gl): Orvanth alone\n", kBubble3d);
  }
  const fs::path work = fs::temp_directory_path() / ("orvanth-stages." + std::to_string(getpid()));
  fs::create_directories(work / "cache");
  std::map<std::string, std::vector<double>> table;
  std::vector<std::string> order;
  std::vector<double> orvanth_totals;
  std::vector<double> bubble_totals;
  for (int i = 0; i < runs; ++i) {
    if (with_bubble) {
      const fs::path trace = work / ("bubble." + std::to_string(i));
      const std::int64_t t0 = now_ns();
      const pid_t pid =
          spawn(kBubble3d, {"-root"}, {"ORVANTH_STAGE_TRACE=" + trace.string(), preload});
      const Timeline t{t0, run_until_frame(trace, pid)};
      const Rows rows = bubble_stages(t);
      add(table, order, rows);
      bubble_totals.push_back(rows.back().second);
    }
    // The shell's guard ends it at once while a window of the last run is up.
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    while (any_window_titled(display, {"Lumevar_Delphi", "Lumevar_Main", "<Orvanth>"}) &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const fs::path trace = work / ("orvanth." + std::to_string(i));
    const std::int64_t t0 = now_ns();
    const pid_t shell = spawn((bin / "Orvanth.scr").string(), {"/s"},
                              {"ORVANTH_STAGE_TRACE=" + trace.string(), preload,
                               "XDG_CACHE_HOME=" + (work / "cache").string()});
    const Timeline t{t0, run_until_frame(trace, shell)};
    const Rows rows = orvanth_stages(t, shell);
    add(table, order, rows);
    orvanth_totals.push_back(rows.back().second);
    std::printf("run %d: Orvanth %.1f ms, bubble3d %.1f ms\n", i + 1, rows.back().second,
                with_bubble ? bubble_totals.back() : -1.0);
  }
  std::printf("\n%-44s %10s\n", "stage (median of runs)", "ms");
  for (const std::string& name : order) {
    std::printf("%-44s %10.1f\n", name.c_str(), median(table[name]));
  }
  if (with_bubble) {
    std::printf("\nOrvanth.scr /s / bubble3d: %.2f (aim: at most 1.30)\n",
                median(orvanth_totals) / median(bubble_totals));
  }
  fs::remove_all(work);
  XCloseDisplay(display);
  return 0;
}

// posix_spawn, with a detached reaper per child.
#include "saver/forms/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

extern char** environ;

namespace orvanth::forms {
namespace {

constexpr std::string_view kHostVariable = "XSCREENSAVER_WINDOW=";

// Module state: children that have ended (waited for, maybe not yet
// reaped), shared with the reaper threads.
std::mutex children_mutex;
std::condition_variable child_reaped;
std::set<pid_t> ended_children;
std::set<pid_t> reaped_children;

// A detached waiter per child: it only reaps, it touches no shell state. It
// notes the end before reaping, so that nobody signals a reused id.
void reap_when_done(pid_t pid) {
  std::thread([pid] {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 &&
           errno == EINTR) {
    }
    {
      std::lock_guard<std::mutex> lock(children_mutex);
      ended_children.insert(pid);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    {
      std::lock_guard<std::mutex> lock(children_mutex);
      reaped_children.insert(pid);
    }
    child_reaped.notify_all();
  }).detach();
}

std::vector<std::string> child_environment(std::optional<WindowHandle> host_window) {
  std::vector<std::string> out;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, kHostVariable.data(), kHostVariable.size()) != 0) {
      out.emplace_back(*e);
    }
  }
  if (host_window) {
    out.push_back(std::string(kHostVariable) + std::to_string(*host_window));
  }
  return out;
}

void signal_unless_ended(pid_t pid, int number) {
  std::lock_guard<std::mutex> lock(children_mutex);
  if (ended_children.count(pid) == 0) {
    ::kill(pid, number);
  }
}

bool reaped_within(pid_t pid, std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(children_mutex);
  return child_reaped.wait_for(lock, limit, [pid] { return reaped_children.count(pid) != 0; });
}

}  // namespace

ProcessId start_process(const std::string& path, std::optional<WindowHandle> host_window) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    return kNoProcess;
  }
  // The child starts with no blocked signals and default handlers, whatever
  // the shell's runtime has set up.
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::string program = path;
  char* argv[] = {program.data(), nullptr};
  std::vector<std::string> environment = child_environment(host_window);
  std::vector<char*> envp;
  for (std::string& entry : environment) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, envp.data());
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    return kNoProcess;
  }
  reap_when_done(pid);
  return pid;
}

bool end_process(ProcessId process, std::chrono::milliseconds grace) {
  if (process <= 0) {
    return false;
  }
  const auto pid = static_cast<pid_t>(process);
  signal_unless_ended(pid, SIGTERM);
  if (reaped_within(pid, grace)) {
    return true;
  }
  signal_unless_ended(pid, SIGKILL);
  return reaped_within(pid, std::chrono::milliseconds(500));
}

bool process_ends_within(ProcessId process, std::chrono::milliseconds limit) {
  return process <= 0 || reaped_within(static_cast<pid_t>(process), limit);
}

}  // namespace orvanth::forms

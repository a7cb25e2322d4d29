// posix_spawn, with a detached reaper per child and a socket on which the
// child says it is ready.
#include "saver/forms/process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "common/ready_signal.h"

extern char** environ;

namespace orvanth::forms {
namespace {

constexpr std::string_view kHostVariable = "XSCREENSAVER_WINDOW";

bool names_variable(const char* entry, std::string_view name) {
  return std::strncmp(entry, name.data(), name.size()) == 0 && entry[name.size()] == '=';
}

// Module state: children that have ended (waited for, maybe not yet
// reaped), shared with the reaper threads.
std::mutex children_mutex;
std::condition_variable child_reaped;
std::set<pid_t> ended_children;
std::set<pid_t> reaped_children;
// The shell's end of each child's ready socket, until the child has said it
// is ready, has ended, or was ended from here; and those that said so. Only
// the thread that starts and ends children uses these.
std::map<pid_t, int> ready_sockets;
std::set<pid_t> ready_children;

void close_ready_socket(pid_t pid) {
  if (const auto found = ready_sockets.find(pid); found != ready_sockets.end()) {
    ::close(found->second);
    ready_sockets.erase(found);
  }
}

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

std::vector<std::string> child_environment(std::optional<WindowHandle> host_window, int ready_end) {
  std::vector<std::string> out;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!names_variable(*e, kHostVariable) && !names_variable(*e, kReadyVariable)) {
      out.emplace_back(*e);
    }
  }
  if (host_window) {
    out.push_back(std::string(kHostVariable) + "=" + std::to_string(*host_window));
  }
  if (ready_end >= 0) {
    out.push_back(std::string(kReadyVariable) + "=" + std::to_string(kReadyDescriptor));
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

  // Both ends close on exec; the child's is duplicated onto the agreed
  // number, which clears that there. Without a socket the child just never
  // says it is ready.
  int ends[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    posix_spawnattr_destroy(&attributes);
    return kNoProcess;
  }
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0 &&
      posix_spawn_file_actions_adddup2(&actions, ends[1], kReadyDescriptor) != 0) {
    ::close(ends[0]);
    ::close(ends[1]);
    ends[0] = ends[1] = -1;
  }

  std::string program = path;
  char* argv[] = {program.data(), nullptr};
  std::vector<std::string> environment = child_environment(host_window, ends[1]);
  std::vector<char*> envp;
  envp.reserve(environment.size() + 1);
  for (std::string& entry : environment) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (ends[1] >= 0) {
    ::close(ends[1]);
  }
  if (error != 0) {
    if (ends[0] >= 0) {
      ::close(ends[0]);
    }
    return kNoProcess;
  }
  if (ends[0] >= 0) {
    ready_sockets[pid] = ends[0];
  }
  reap_when_done(pid);
  return pid;
}

bool end_process(ProcessId process, std::chrono::milliseconds grace) {
  if (process <= 0) {
    return false;
  }
  const auto pid = static_cast<pid_t>(process);
  close_ready_socket(pid);
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

bool process_ready_within(ProcessId process, std::chrono::milliseconds limit) {
  const auto pid = static_cast<pid_t>(process);
  if (ready_children.count(pid) != 0) {
    return true;
  }
  const auto found = ready_sockets.find(pid);
  if (process <= 0 || found == ready_sockets.end()) {
    return false;
  }
  // The child's end closes when it ends: the wait ends then too.
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int n = 0;
  for (;;) {
    // Rounded up, and polled again while time is left: never back early.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{found->second, POLLIN, 0};
    n = ::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (n > 0 || (n < 0 && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      break;
    }
  }
  if (n <= 0) {
    return false;
  }
  char byte = 0;
  const bool ready = ::recv(found->second, &byte, 1, MSG_DONTWAIT) == 1;
  if (ready) {
    ready_children.insert(pid);
  }
  close_ready_socket(pid);
  return ready;
}

}  // namespace orvanth::forms

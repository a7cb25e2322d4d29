#include "saver/forms/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace orvanth::forms {
namespace {

// A detached waiter per child: it only reaps, it touches no shell state.
void reap_when_done(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

pid_t start_process(const std::string& path) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    return -1;
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
  pid_t pid = -1;
  const int error = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    return -1;
  }
  reap_when_done(pid);
  return pid;
}

}  // namespace orvanth::forms

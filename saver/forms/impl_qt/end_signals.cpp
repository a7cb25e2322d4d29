// SIGTERM, SIGHUP and SIGINT through a self-pipe read by a socket notifier.
#include "saver/forms/end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

#include "saver/forms/impl_qt/runtime.h"

namespace orvanth::forms {
namespace {

// Module state: the pipe's two ends (write end used by the handler only)
// and the callback, set once.
int signal_pipe[2] = {-1, -1};
std::function<void()> end_callback;

extern "C" void on_end_signal(int /*signal*/) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds an unread request: nothing is lost.
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
  errno = saved;
}

void drain_and_call() {
  char buffer[16];
  while (::read(signal_pipe[0], buffer, sizeof buffer) > 0) {
  }
  if (end_callback) {
    end_callback();
  }
}

}  // namespace

bool watch_end_signals(std::function<void()> on_signal) {
  end_callback = std::move(on_signal);
  if (signal_pipe[0] < 0 && ::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    return false;
  }
  // Lives as long as the program; a signal that comes before the runtime is
  // up waits in the pipe.
  when_runtime_up([] {
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [] { drain_and_call(); });
  });
  struct sigaction action {};
  action.sa_handler = on_end_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool ok = true;
  for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
    ok = ::sigaction(number, &action, nullptr) == 0 && ok;
  }
  return ok;
}

}  // namespace orvanth::forms

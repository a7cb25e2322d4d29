#include "renderer/impl_linux/end_signals.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace orvanth::window {

namespace {

// 0 before the loop, 1 in it, 2 once a signal asked it to end.
volatile std::sig_atomic_t signal_state = 0;

void end_on_signal(int /*number*/) {
  if (signal_state == 0) {
    _exit(0);
  }
  signal_state = 2;
}

}  // namespace

void watch_end_signals() {
  struct sigaction action {};
  action.sa_handler = end_on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(number, &action, nullptr);
  }
}

void loop_begun() {
  if (signal_state == 0) {
    signal_state = 1;
  }
}

bool end_requested() { return signal_state == 2; }

}  // namespace orvanth::window

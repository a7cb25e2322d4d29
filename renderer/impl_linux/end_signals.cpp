#include "renderer/impl_linux/end_signals.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace orvanth::window {

namespace {

// 0 before the loop, 1 in it, 2 once a signal asked it to end.
volatile std::sig_atomic_t SignalState = 0;

void end_on_signal(int /*number*/) {
  if (SignalState == 0) {
    _exit(0);
  }
  SignalState = 2;
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
  if (SignalState == 0) {
    SignalState = 1;
  }
}

bool end_requested() { return SignalState == 2; }

}  // namespace orvanth::window

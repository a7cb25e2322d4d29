// The system's request to close the shell (SIGTERM from a host or a
// session's end, SIGHUP, SIGINT) turned into an ordinary event of the one GUI thread.
#pragma once

#include <functional>

namespace orvanth::run {

// From now on SIGTERM, SIGHUP and SIGINT call on_signal from the event loop (a
// self-pipe read by a socket notifier), never from the signal handler.
// False when the pipe or the handlers could not be set up.
bool watch_end_signals(std::function<void()> on_signal);

}  // namespace orvanth::run

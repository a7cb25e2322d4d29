// The system's request to end the shell (a host ending its saver, the
// session's end, an interrupt) turned into an ordinary event of the one GUI
// thread.
#pragma once

#include <functional>

namespace orvanth::forms {

// From now on the system's end requests call on_signal from the event loop,
// never from inside the request's own handler. False when they could not be
// watched.
bool watch_end_signals(std::function<void()> on_signal);

}  // namespace orvanth::forms

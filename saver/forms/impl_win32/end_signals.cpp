// The system's end requests on Windows: the session's end and a close
// request to the program's hidden window (program_window.cpp), run from the
// message loop.
#include "saver/forms/end_signals.h"

#include "saver/forms/impl_win32/program_window.h"

namespace orvanth::forms {

bool watch_end_signals(std::function<void()> on_signal) {
  win32::set_end_handler(std::move(on_signal));
  return win32::program_window() != nullptr;
}

}  // namespace orvanth::forms

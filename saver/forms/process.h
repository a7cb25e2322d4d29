// Starting a process (Shell with show command 1): by path, no arguments, no
// shell, no wait; and ending one it started.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "saver/forms/window.h"

namespace orvanth::forms {

// The system's id of a process started here; kNoProcess for none.
using ProcessId = std::int64_t;
inline constexpr ProcessId kNoProcess = -1;

// Starts the program file at path with no arguments and the shell's
// environment, less a host's window variable; with host_window, the variable
// names that window instead. The process never lingers once it has ended.
// kNoProcess when it could not be started.
ProcessId start_process(const std::string& path,
                        std::optional<WindowHandle> host_window = std::nullopt);

// Ends a process started above: asked to end, then killed if it is still
// there after grace (a stopped or hung one included). True once it has
// ended. A process that has already ended is never signalled, so its id
// cannot hit another.
bool end_process(ProcessId process, std::chrono::milliseconds grace);

// Waits up to limit for a process started above to end by itself; true once
// it has ended. kNoProcess counts as ended.
bool process_ends_within(ProcessId process, std::chrono::milliseconds limit);

// Waits up to limit for a process started above to say it is ready (the
// renderer: its first frame is on screen); true once it has, in this call or
// an earlier one; false when it has not said so in time or ended without
// saying so. On Windows, where the shell has nothing heavy left to start,
// true at once: nothing is waited for.
bool process_ready_within(ProcessId process, std::chrono::milliseconds limit);

}  // namespace orvanth::forms

// Starting a process (Shell with show command 1): by path, no arguments, no
// shell, no wait; and ending one it started.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

namespace orvanth::forms {

// Starts the program file at path with no arguments and the shell's
// environment, less XSCREENSAVER_WINDOW; with host_window, that variable
// names the window instead. The child is reaped when it ends, so it never
// lingers as a zombie. The new process's id, or -1 when it could not be
// started.
pid_t start_process(const std::string& path,
                    std::optional<unsigned long> host_window = std::nullopt);

// Ends a process started above: SIGTERM, then SIGKILL if it is still there
// after grace. True once it has ended and been reaped. A process that has
// already ended is never signalled, so its id cannot hit another.
bool end_process(pid_t pid, std::chrono::milliseconds grace);

}  // namespace orvanth::forms

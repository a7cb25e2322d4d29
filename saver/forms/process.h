// Starting a process (Shell with show command 1): by path, no arguments, no
// shell, no wait.
#pragma once

#include <string>
#include <sys/types.h>

namespace orvanth::forms {

// Starts the program file at path with no arguments and the shell's
// environment. The child is reaped when it ends, so it never lingers as a
// zombie. The new process's id, or -1 when it could not be started.
pid_t start_process(const std::string& path);

}  // namespace orvanth::forms

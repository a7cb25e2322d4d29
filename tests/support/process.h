// Test support: a program started as a child in a process group of its own,
// so that ending it also ends whatever it started; and what /proc tells of
// other processes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/wait.h"

namespace orvanth::test {

// Changes to this process's environment: a value sets the variable, nullopt
// removes it.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

class Process {
 public:
  // stderr_file empty: the child writes to the test's own stderr.
  Process(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const EnvironmentChanges& environment = {},
          const std::filesystem::path& stderr_file = {});
  ~Process();  // kill()
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Whether the process has ended (reaping it).
  bool ended();
  bool ends_within(std::chrono::milliseconds limit);
  // Blocks until the process has ended, for timings finer than a poll.
  void wait();
  bool exited_normally() const;
  // The exit code once ended normally, -1 otherwise.
  int exit_code() const;
  // The wait status once ended.
  std::optional<int> status() const { return status_; }
  // To the process alone, not its group.
  void signal(int number) const;
  // Kills the process and everything left in its group, and reaps it.
  void kill();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Running (not zombie) processes whose executable is program.
std::vector<pid_t> processes_of(const std::filesystem::path& program);
// The process's state letter ('R', 'S', 'Z' ...), or '\0' when it is gone.
char process_state(pid_t pid);
std::vector<std::string> process_arguments(pid_t pid);

// program with its arguments through setpriv, whose own arguments and the
// environment come first in user_prefix (a headless compositor's user).
std::unique_ptr<Process> start_as_user(std::vector<std::string> user_prefix,
                                       const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments,
                                       const std::filesystem::path& stderr_file);
// sh's arguments that run program with its arguments, its stdout going
// nowhere (sh keeps the arguments apart).
std::vector<std::string> quiet_command(const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments);
// True when the process exits 0 within 20 s.
bool ends_well(Process& process);

}  // namespace orvanth::test

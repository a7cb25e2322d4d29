#include "tests/support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

#include "tests/support/files.h"

extern char** environ;

namespace orvanth::test {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> environment_with(const EnvironmentChanges& changes) {
  std::vector<std::string> out;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    if (changes.count(entry.substr(0, entry.find('='))) == 0) {
      out.push_back(entry);
    }
  }
  for (const auto& [name, value] : changes) {
    if (value) {
      out.push_back(name + "=" + *value);
    }
  }
  return out;
}

std::vector<char*> pointers_to(std::vector<std::string>& text) {
  std::vector<char*> out;
  out.reserve(text.size() + 1);
  for (auto& s : text) {
    out.push_back(s.data());
  }
  out.push_back(nullptr);
  return out;
}

}  // namespace

Process::Process(const fs::path& program, const std::vector<std::string>& arguments,
                 const EnvironmentChanges& environment, const fs::path& stderr_file) {
  std::vector<std::string> argv_text{program.string()};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_text = environment_with(environment);
  const std::vector<char*> argv = pointers_to(argv_text);
  const std::vector<char*> envp = pointers_to(env_text);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!stderr_file.empty()) {
    posix_spawn_file_actions_addopen(&actions, 2, stderr_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  if (posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0) {
    pid_ = -1;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() { kill(); }

bool Process::ended() {
  if (status_) {
    return true;
  }
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
  }
  return status_.has_value();
}

bool Process::ends_within(std::chrono::milliseconds limit) {
  return wait_for([this] { return ended(); }, limit);
}

void Process::wait() {
  int status = 0;
  if (pid_ > 0 && !status_ && ::waitpid(pid_, &status, 0) == pid_) {
    status_ = status;
  }
}

bool Process::exited_normally() const { return status_ && WIFEXITED(*status_); }

int Process::exit_code() const { return exited_normally() ? WEXITSTATUS(*status_) : -1; }

void Process::signal(int number) const {
  if (pid_ > 0) {
    ::kill(pid_, number);
  }
}

void Process::kill() {
  if (pid_ <= 0) {
    return;
  }
  ::kill(-pid_, SIGKILL);
  if (!status_) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    status_ = status;
  }
}

std::vector<pid_t> processes_of(const fs::path& program) {
  std::vector<pid_t> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    std::error_code link_error;
    const fs::path exe = fs::read_symlink(entry.path() / "exe", link_error);
    if (!link_error && exe == program && process_state(std::stoi(name)) != 'Z') {
      out.push_back(std::stoi(name));
    }
  }
  return out;
}

char process_state(pid_t pid) {
  const std::string text = file_bytes("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos || close + 2 >= text.size()) {
    return '\0';
  }
  return text[close + 2];
}

std::vector<std::string> process_arguments(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
  std::vector<std::string> out;
  std::string arg;
  while (std::getline(in, arg, '\0')) {
    out.push_back(arg);
  }
  return out;
}

std::unique_ptr<Process> start_as_user(std::vector<std::string> user_prefix,
                                       const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments,
                                       const std::filesystem::path& stderr_file) {
  user_prefix.push_back(program.string());
  user_prefix.insert(user_prefix.end(), arguments.begin(), arguments.end());
  return std::make_unique<Process>("/usr/bin/setpriv", user_prefix, EnvironmentChanges{},
                                   stderr_file);
}

std::vector<std::string> quiet_command(const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments) {
  std::vector<std::string> quiet{"-c", "exec \"$0\" \"$@\" >/dev/null", program.string()};
  quiet.insert(quiet.end(), arguments.begin(), arguments.end());
  return quiet;
}

bool ends_well(Process& process) {
  return process.ends_within(std::chrono::seconds(20)) && process.exit_code() == 0;
}

}  // namespace orvanth::test

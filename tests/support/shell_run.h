// Test support: a fresh program folder holding a copy of Orvanth.scr, the
// shell started from it with its own user folders, and waits on conditions.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace orvanth::test {

inline constexpr std::chrono::milliseconds kPoll{20};

// Polls condition every 20 ms until it holds or limit has passed.
inline bool wait_for(const std::function<bool()>& condition,
                     std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanth-t.XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A copy of the shell in its own folder, with its own cache and config homes.
class ShellInstall {
 public:
  // Without the renderer beside it, a run started here draws nothing and
  // leaves no process behind when the shell is killed.
  explicit ShellInstall(bool with_renderer = true) {
    std::filesystem::create_directories(cache());
    std::filesystem::create_directories(config());
    std::filesystem::copy_file(std::filesystem::path(ORVANTH_BIN_DIR) / "Orvanth.scr", program());
    const auto data = std::filesystem::path(ORVANTH_BIN_DIR) / "Orvanth.data";
    if (with_renderer && std::filesystem::exists(data)) {
      std::filesystem::copy_file(data, root_.path() / "bin" / "Orvanth.data");
    }
  }
  std::filesystem::path folder() const { return root_.path() / "bin"; }
  std::filesystem::path program() const { return folder() / "Orvanth.scr"; }
  std::filesystem::path settings() const { return folder() / "Orvanth.ini"; }
  std::filesystem::path cache() const { return root_.path() / "cache"; }
  std::filesystem::path config() const { return root_.path() / "config"; }

 private:
  TempFolder root_;
  bool made_ = std::filesystem::create_directories(root_.path() / "bin");
};

// A started shell; killed on destruction if still running.
class ShellProcess {
 public:
  // with_display false starts it without DISPLAY.
  ShellProcess(const ShellInstall& install, const std::vector<std::string>& arguments,
               bool with_display = true) {
    std::vector<std::string> env_text;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry(*e);
      if (!with_display && entry.rfind("DISPLAY=", 0) == 0) {
        continue;
      }
      if (entry.rfind("XDG_CACHE_HOME=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0) {
        env_text.push_back(entry);
      }
    }
    env_text.push_back("XDG_CACHE_HOME=" + install.cache().string());
    env_text.push_back("XDG_CONFIG_HOME=" + install.config().string());
    std::vector<std::string> argv_text{install.program().string()};
    argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : argv_text) {
      argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env_text) {
      envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    // A group of its own, so that killing it also ends a renderer it started.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    if (posix_spawn(&pid_, argv[0], nullptr, &attributes, argv.data(), envp.data()) != 0) {
      pid_ = -1;
    }
    posix_spawnattr_destroy(&attributes);
  }
  ~ShellProcess() { kill(); }
  ShellProcess(const ShellProcess&) = delete;
  ShellProcess& operator=(const ShellProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Whether the process has ended (reaping it).
  bool ended() {
    if (status_) {
      return true;
    }
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = status;
    }
    return status_.has_value();
  }
  bool ends_within(std::chrono::milliseconds limit) {
    return wait_for([this] { return ended(); }, limit);
  }
  // The exit code once ended normally, -1 otherwise.
  int exit_code() const {
    return status_ && WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1;
  }
  // Kills the shell and everything left in its process group.
  void kill() {
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

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Notes every opening of the files of one folder.
class OpenWatch {
 public:
  explicit OpenWatch(const std::filesystem::path& folder)
      : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0) {
      inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CREATE | IN_MODIFY);
    }
  }
  ~OpenWatch() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // Reads what has arrived; true when name has been opened, created or
  // changed since the watch began.
  bool touched(const std::string& name) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) {
        break;
      }
      for (ssize_t off = 0; off < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + off);
        if (event->len > 0 && name == event->name) {
          seen_ = true;
        }
        off += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return seen_;
  }

 private:
  int fd_;
  bool seen_ = false;
};

}  // namespace orvanth::test

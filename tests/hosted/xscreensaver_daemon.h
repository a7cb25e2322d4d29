// A real xscreensaver daemon on the test X server, run as an ordinary user
// (it refuses to start hacks as root) with a HOME of its own whose
// ~/.xscreensaver chooses Orvanth from a temporary install prefix.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {

// cmake --install of this build into a fresh prefix that every user can read.
class InstallPrefix {
 public:
  InstallPrefix();
  bool installed() const { return installed_; }
  const std::filesystem::path& path() const { return folder_.path(); }
  std::filesystem::path shell() const { return path() / "libexec/orvanth/Orvanth.scr"; }
  std::filesystem::path renderer() const { return path() / "libexec/orvanth/Orvanth.data"; }
  // Any process of either installed program still running.
  bool any_running() const;
  void kill_all() const;

 private:
  TempFolder folder_{"orvanth-prefix"};
  bool installed_ = false;
};

class XScreenSaverDaemon {
 public:
  explicit XScreenSaverDaemon(const InstallPrefix& prefix);
  ~XScreenSaverDaemon();
  XScreenSaverDaemon(const XScreenSaverDaemon&) = delete;
  XScreenSaverDaemon& operator=(const XScreenSaverDaemon&) = delete;

  // The daemon answers xscreensaver-command.
  bool ready() const { return ready_; }
  // xscreensaver-command with the argument, as the daemon's user.
  bool command(const std::string& argument) const;
  // The window xscreensaver handed the running Orvanth shell, once it runs.
  std::optional<Window> host_window() const;

 private:
  const InstallPrefix& prefix_;
  TempFolder home_{"orvanth-xss"};
  std::unique_ptr<Process> daemon_;
  bool ready_ = false;
};

}  // namespace orvanth::test

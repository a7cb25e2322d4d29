// Test support for the Windows shell under Wine: a fresh program folder
// holding copies of Orvanth.scr and Orvanth.data, the Wine processes started
// from it, and the user's files of the Windows programs in this run's prefix.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/wine.h"

namespace orvanth::test::wine {

class ShellFolder {
 public:
  // Without the renderer beside it, a run draws nothing.
  explicit ShellFolder(bool with_renderer = true);
  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path program() const { return folder_ / "Orvanth.scr"; }
  std::filesystem::path settings() const { return folder_ / "Orvanth.ini"; }
  // Running processes of Orvanth.scr or Orvanth.data (name) of this folder,
  // as Wine names them (its own path or its Windows path).
  std::vector<pid_t> processes(const std::string& name) const;

 private:
  TempFolder root_{"orvanth-wine"};
  std::filesystem::path folder_;
};

// The user's settings file of the Windows programs (%APPDATA%\Orvanth\Orvanth.ini)
// and their texture folder, as paths of this machine.
std::filesystem::path user_settings();
std::filesystem::path textures();
// Removes both, so that a test starts from nothing.
void forget_user_files();

// The test host window (the probe's "host" command): a pop-up TITLE of
// width x height at (100, 100) and its handle in decimal, once it is up.
class HostWindow {
 public:
  HostWindow(const std::string& title, int width, int height);
  const std::string& handle() const { return handle_; }
  // Posts WM_CLOSE, which destroys the window; true once the host has ended.
  bool destroy();

 private:
  std::string title_;
  Program process_;
  std::string handle_;
};

}  // namespace orvanth::test::wine

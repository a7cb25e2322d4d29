// Test support: a fresh program folder holding a copy of Orvanth.scr (and
// Orvanth.data), and the shell started from it with its own user folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {

// A copy of the shell in its own folder, with its own cache and config homes.
class ShellInstall {
 public:
  // Without the renderer beside it, a run started here draws nothing and
  // leaves no process behind when the shell is killed.
  explicit ShellInstall(bool with_renderer = true);
  std::filesystem::path folder() const { return root_.path() / "bin"; }
  std::filesystem::path program() const { return folder() / "Orvanth.scr"; }
  std::filesystem::path renderer() const { return folder() / "Orvanth.data"; }
  std::filesystem::path settings() const { return folder() / "Orvanth.ini"; }
  std::filesystem::path cache() const { return root_.path() / "cache"; }
  std::filesystem::path config() const { return root_.path() / "config"; }

  // The environment a shell of this folder runs with.
  EnvironmentChanges environment() const;

 private:
  TempFolder root_;
};

// Orvanth.ini beside the program with the three music settings.
void write_settings(const ShellInstall& install, int bgm_type, int bgm_repeat,
                    const std::string& bgm_file);

// A started shell, in a process group of its own; killed with everything it
// started on destruction.
class ShellProcess : public Process {
 public:
  // with_display false starts it without DISPLAY.
  ShellProcess(const ShellInstall& install, const std::vector<std::string>& arguments,
               bool with_display = true);
};

}  // namespace orvanth::test

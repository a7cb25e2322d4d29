// Helpers for tests that start the real Orvanth.data on the test X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tests/support/wait.h"
#include "tests/support/x_client.h"

namespace orvanth::test {

// A private texture folder with seven valid files (or fewer: skip is a file
// number left out), set as this process's XDG_CACHE_HOME.
class TextureHome {
 public:
  explicit TextureHome(int skip = -1);
  ~TextureHome();
  TextureHome(const TextureHome&) = delete;
  TextureHome& operator=(const TextureHome&) = delete;
  std::string root() const { return folder_.path().string(); }

 private:
  TempFolder folder_{"orvanth-tex"};
};

// The seven files TextureHome writes, into folder (skip: a file number left
// out), with the shell's own BMP writer.
void write_texture_files(const std::filesystem::path& folder, int skip = -1);

// The pixels of texture file n as the loader uploads them: RGB, bottom row
// first; file 00 is 252 x 124, the others 256 x 256.
std::vector<std::uint8_t> texture_pixels(int n, int& width, int& height);

// Orvanth.data as a child process; stderr goes to a file.
class Renderer {
 public:
  // With changes to the test's environment (XSCREENSAVER_WINDOW, DISPLAY).
  explicit Renderer(const EnvironmentChanges& environment = {});
  ~Renderer();  // kills the child if it still runs
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;
  pid_t pid() const { return process_.pid(); }
  // The exit code (128 + the signal when killed) once the process has ended
  // within the limit.
  std::optional<int> wait_exit(std::chrono::milliseconds limit = kDefaultLimit);
  bool running();
  std::string stderr_text() const;
  void signal(int number) const { process_.signal(number); }

 private:
  TempFolder err_folder_{"orvanth-err"};
  Process process_;
};

// The root's pixels in a rectangle as 0xRRGGBB, row by row; empty when the
// rectangle cannot be read.
std::vector<unsigned long> root_pixels(Display* display, int x, int y, int width, int height);

// An Xvfb of its own with extra arguments, on a display number it picks.
class ExtraXServer {
 public:
  explicit ExtraXServer(const std::vector<std::string>& arguments);
  // ":N", or "" when it did not come up.
  const std::string& name() const { return name_; }

 private:
  TempFolder folder_{"orvanth-xvfb"};
  std::optional<Process> process_;
  std::string name_;
};

inline constexpr unsigned long kBackdropPixel = 0x8F9294;  // (143, 146, 148)
// A point of the first frame that shows the backdrop.
inline constexpr int kBackdropX = 640;
inline constexpr int kBackdropY = 2;

}  // namespace orvanth::test

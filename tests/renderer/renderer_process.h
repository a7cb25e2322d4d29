// Helpers for tests that start the real Orvanth.data on the test X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvanth::test {

// Polls cond every 20 ms until it holds or limit passes.
bool wait_until(const std::function<bool()>& cond,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

// A private texture folder with seven valid files (or fewer: skip is a file
// number left out), set as this process's XDG_CACHE_HOME.
class TextureHome {
 public:
  explicit TextureHome(int skip = -1);
  ~TextureHome();
  TextureHome(const TextureHome&) = delete;
  TextureHome& operator=(const TextureHome&) = delete;
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

// The pixels of texture file n as the loader uploads them: RGB, bottom row
// first; file 00 is 252 x 124, the others 256 x 256.
std::vector<std::uint8_t> texture_pixels(int n, int& width, int& height);

// Orvanth.data as a child process; stderr goes to a file.
class Renderer {
 public:
  Renderer();
  ~Renderer();  // kills the child if it still runs
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;
  pid_t pid() const { return pid_; }
  // The exit code once the process has ended within the limit.
  std::optional<int> wait_exit(std::chrono::milliseconds limit = std::chrono::seconds(20));
  bool running();
  std::string stderr_text() const;

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string err_path_;
};

std::string window_name(Display* display, Window window);
// A top-level window (a child of the root) titled title, or 0.
Window find_window(Display* display, const std::string& title);

// Colour of one root pixel as 0xRRGGBB.
unsigned long root_pixel(Display* display, int x, int y);
inline constexpr unsigned long kBackdropPixel = 0x8F9294;  // (143, 146, 148)
// A point of the first frame that shows the backdrop.
inline constexpr int kBackdropX = 640;
inline constexpr int kBackdropY = 2;

// Whether the pointer's current cursor image has any pixel that is not
// fully transparent.
bool cursor_visible(Display* display);

// xdotool with the given arguments; true when it succeeded.
bool xdotool(const std::string& args);

void send_close_request(Display* display, Window window);

}  // namespace orvanth::test

// Test support for the full-screen run: the shell started from a fresh
// program folder with extra environment and its stderr kept, the renderer
// found through /proc, pointer and window checks on the test X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/shell_run.h"
#include "tests/support/x_client.h"

namespace orvanth::test {

// The shell with its stderr kept in a file beside the program folder.
class RunShell : public Process {
 public:
  RunShell(const ShellInstall& install, const std::vector<std::string>& arguments,
           const std::map<std::string, std::string>& extra_env = {});
  ~RunShell();  // kills the shell and any renderer of its folder

  std::string stderr_text() const;
  // The renderer started from this folder, once it is running.
  std::optional<pid_t> renderer(std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  bool renderer_gone_within(std::chrono::milliseconds limit) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path err_path_;
};

// An X client of the test's own: pointer, windows, root pixels.
class Screen {
 public:
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  bool open() const { return dpy_ != nullptr; }
  void move_pointer(int x, int y) { orvanth::test::move_pointer(dpy_, x, y); }
  Window find_window(const std::string& title) { return orvanth::test::find_window(dpy_, title); }
  bool window_within(const std::string& title, std::chrono::milliseconds limit);
  bool window_gone_within(const std::string& title, std::chrono::milliseconds limit);
  unsigned long root_pixel(int x, int y) { return orvanth::test::root_pixel(dpy_, x, y); }
  void send_close(Window window) { send_close_request(dpy_, window); }
  // The renderer's first frame shows the backdrop's grey at the top middle.
  bool first_frame_within(std::chrono::milliseconds limit);
  Display* display() const { return dpy_; }

 private:
  Display* dpy_;
};

inline constexpr unsigned long kBackdropPixel = 0x8F9294;
inline constexpr int kStartX = 400;
inline constexpr int kStartY = 300;

// The lines "<pid> hide" / "<pid> show" of one process in a cursor trace.
std::vector<std::string> cursor_calls(const std::filesystem::path& trace, pid_t pid);

// A BMP read back by ImageMagick: RGB top row first, its size.
struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};
std::optional<Decoded> decode_with_imagemagick(const std::filesystem::path& file);

// The planet picture whose box image equals the decoded pixels, or 0.
int picture_in(const Decoded& d);

}  // namespace orvanth::test

namespace orvanth::test {
// The key held down (to the focused window) until the condition holds, then
// released; a quick press and release would reach the renderer's key state
// as nothing at all, since it handles every queued event before a frame.
bool xdotool_hold(const std::string& key, const std::function<bool()>& until);
}  // namespace orvanth::test

// Test support for the full-screen run: the shell started from a fresh
// program folder with extra environment and its stderr kept, the renderer
// found through /proc, pointer and window checks on the test X server, and
// the settings file written with its Shift-JIS keys.
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

#include "tests/support/shell_run.h"

namespace orvanth::test {

// Orvanth.ini beside the program with the three music settings.
void write_settings(const ShellInstall& install, int bgm_type, int bgm_repeat,
                    const std::string& bgm_file);

// Processes running the given program file (by /proc/<pid>/exe).
std::vector<pid_t> processes_of(const std::filesystem::path& program);
// The process's state letter ('R', 'S', 'Z' ...), or '\0' when it is gone.
char process_state(pid_t pid);
std::vector<std::string> process_arguments(pid_t pid);

class RunShell {
 public:
  RunShell(const ShellInstall& install, const std::vector<std::string>& arguments,
           const std::map<std::string, std::string>& extra_env = {});
  ~RunShell();  // kills the shell and any renderer of its folder
  RunShell(const RunShell&) = delete;
  RunShell& operator=(const RunShell&) = delete;

  pid_t pid() const { return pid_; }
  bool ended();
  bool ends_within(std::chrono::milliseconds limit);
  bool exited_normally() const;
  int exit_code() const;
  void signal(int number) const;
  std::string stderr_text() const;
  // The renderer started from this folder, once it is running.
  std::optional<pid_t> renderer(std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  bool renderer_gone_within(std::chrono::milliseconds limit) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path err_path_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// An X client of the test's own: pointer, windows, root pixels.
class Screen {
 public:
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  bool open() const { return dpy_ != nullptr; }
  void move_pointer(int x, int y);
  Window find_window(const std::string& title);
  bool window_within(const std::string& title, std::chrono::milliseconds limit);
  bool window_gone_within(const std::string& title, std::chrono::milliseconds limit);
  unsigned long root_pixel(int x, int y);
  // A WM_DELETE_WINDOW close request, as a window manager sends it.
  void send_close(Window window);
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

}  // namespace orvanth::test

namespace orvanth::test {
// The key held down (to the focused window) until the condition holds, then
// released; a quick press and release would reach the renderer's key state
// as nothing at all, since it handles every queued event before a frame.
bool xdotool_hold(const std::string& key, const std::function<bool()>& until);
}  // namespace orvanth::test

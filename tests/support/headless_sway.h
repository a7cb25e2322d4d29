// A real sway compositor, headless, for the Wayland tests: run as an ordinary
// user (sway refuses root) with a HOME and XDG_RUNTIME_DIR of its own, and
// the programs under test run as that user in its session with no X server.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {

class HeadlessSway {
 public:
  // One output, HEADLESS-1.
  HeadlessSway();
  ~HeadlessSway();
  HeadlessSway(const HeadlessSway&) = delete;
  HeadlessSway& operator=(const HeadlessSway&) = delete;

  // The compositor answers on its socket and over its IPC.
  bool ready() const { return ready_; }
  // The user's HOME; its .cache is XDG_CACHE_HOME for what runs here.
  const std::filesystem::path& home() const { return home_.path(); }
  // The user owns path and everything below it.
  void give_to_user(const std::filesystem::path& path) const;

  // program as the user with WAYLAND_DISPLAY, XDG_RUNTIME_DIR, HOME and
  // XDG_CACHE_HOME of this session, no DISPLAY, and the extra variables.
  std::unique_ptr<Process> start(const std::filesystem::path& program,
                                 const std::vector<std::string>& arguments,
                                 const std::vector<std::string>& extra_environment = {},
                                 const std::filesystem::path& stderr_file = "/dev/null") const;
  // The same, waited for: true when it exits 0 within 20 s.
  bool run(const std::filesystem::path& program, const std::vector<std::string>& arguments) const;
  // swaymsg with these arguments.
  bool message(const std::vector<std::string>& arguments) const {
    return run("swaymsg", arguments);
  }
  // A second output, HEADLESS-2, beside the first.
  bool add_output() const;
  // grim's picture of one output as binary PPM.
  bool screenshot(const std::string& output, const std::filesystem::path& ppm) const;
  // The same of a part of the layout ("X,Y WxH"), asking for the cursor or
  // not (headless, it is in the picture either way).
  bool screenshot_of(const std::string& geometry, bool with_cursor,
                     const std::filesystem::path& ppm) const;

  pid_t pid() const { return sway_ ? sway_->pid() : -1; }
  // Kills the compositor.
  void end();

 private:
  std::vector<std::string> as_user(const std::vector<std::string>& extra) const;
  bool grim(std::vector<std::string> arguments, const std::filesystem::path& ppm) const;
  TempFolder home_{"orvanth-sway"};
  std::filesystem::path runtime_;
  std::string socket_;
  std::string ipc_;
  std::unique_ptr<Process> sway_;
  bool ready_ = false;
};

// A pointer for the headless seat: orvanth_test_pointer holding a virtual
// pointer, moved line by line through a FIFO.
class VirtualPointer {
 public:
  explicit VirtualPointer(const HeadlessSway& sway);
  ~VirtualPointer();
  VirtualPointer(const VirtualPointer&) = delete;
  VirtualPointer& operator=(const VirtualPointer&) = delete;
  bool ready() const { return ready_; }
  // To (x, y) of a layout width x height; true once the compositor has it.
  bool move_to(int x, int y, int width, int height);

 private:
  std::filesystem::path fifo_;
  std::filesystem::path ack_;
  int fd_ = -1;
  int sent_ = 0;
  std::unique_ptr<Process> tool_;
  bool ready_ = false;
};

}  // namespace orvanth::test

// GNOME's compositor for the Wayland tests: Mutter headless, with one
// virtual monitor and no Xwayland, on a session bus of its own
// (dbus-run-session), run as an ordinary user as HeadlessSway runs sway.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {

class HeadlessMutter {
 public:
  HeadlessMutter();
  ~HeadlessMutter();
  HeadlessMutter(const HeadlessMutter&) = delete;
  HeadlessMutter& operator=(const HeadlessMutter&) = delete;

  // Its Wayland socket is up and its idle monitor answers on the bus.
  bool ready() const { return ready_; }
  const std::filesystem::path& home() const { return home_.path(); }
  // program as the user, in this session (WAYLAND_DISPLAY and the bus set,
  // no DISPLAY), with the extra variables.
  std::unique_ptr<Process> start(const std::filesystem::path& program,
                                 const std::vector<std::string>& arguments,
                                 const std::vector<std::string>& extra_environment = {},
                                 const std::filesystem::path& stderr_file = "/dev/null") const;
  // The same, waited for: true when it exits 0 within 20 s.
  bool run(const std::filesystem::path& program, const std::vector<std::string>& arguments) const;
  // Input through Mutter's RemoteDesktop API, started: the pointer moved
  // to and fro for that many seconds ("2.5"), or "escape" typed.
  std::unique_ptr<Process> input(const std::string& what) const;
  // Ends Mutter as a session's end does; its session bus goes with it.
  // True when Mutter and dbus-run-session have ended within 20 s.
  bool end();

 private:
  std::vector<std::string> as_user(const std::vector<std::string>& extra) const;
  TempFolder home_{"orvanth-mutter"};
  std::filesystem::path runtime_;
  std::string bus_;
  std::unique_ptr<Process> session_;
  bool ready_ = false;
};

}  // namespace orvanth::test

#include "tests/support/headless_mutter.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/wait.h"

namespace orvanth::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUser = "nobody";

void give_to_user(const fs::path& folder) {
  const passwd* user = ::getpwnam(kUser);
  if (user == nullptr) {
    return;
  }
  [[maybe_unused]] int ignored = ::lchown(folder.c_str(), user->pw_uid, user->pw_gid);
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    ignored = ::lchown(entry.path().c_str(), user->pw_uid, user->pw_gid);
  }
}

std::string first_line(const fs::path& path) {
  const std::string text = file_bytes(path);
  return text.substr(0, text.find('\n'));
}

}  // namespace

HeadlessMutter::HeadlessMutter() {
  runtime_ = home() / "run";
  fs::create_directories(runtime_);
  fs::permissions(home(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(runtime_, fs::perms::owner_all);
  give_to_user(home());
  // The shell notes the bus and its own pid (Mutter's once it execs).
  const std::string script =
      "echo \"$DBUS_SESSION_BUS_ADDRESS\" > bus.new && mv bus.new bus && "
      "echo $$ > mutter.pid && exec mutter --headless --wayland --no-x11 "
      "--virtual-monitor 1024x768";
  std::vector<std::string> command = as_user({});
  command.insert(command.end(),
                 {"sh", "-c", "cd \"$HOME\" && dbus-run-session -- sh -c '" + script + "'"});
  session_ = std::make_unique<Process>("/usr/bin/setpriv", command, EnvironmentChanges{},
                                       home() / "mutter.log");
  ready_ = wait_for(
      [&] {
        bus_ = first_line(home() / "bus");
        return !bus_.empty() && fs::exists(runtime_ / "wayland-0");
      },
      std::chrono::seconds(30));
  ready_ = ready_ &&
           wait_for(
               [&] {
                 return run("gdbus", {"call", "--session", "-d", "org.gnome.Mutter.IdleMonitor",
                                      "-o", "/org/gnome/Mutter/IdleMonitor/Core", "-m",
                                      "org.gnome.Mutter.IdleMonitor.GetIdletime"});
               },
               std::chrono::seconds(30));
}

HeadlessMutter::~HeadlessMutter() { end(); }

bool HeadlessMutter::end() {
  if (!session_) {
    return true;
  }
  // Mutter itself, as when the session ends; dbus-run-session then ends its
  // bus and itself.
  const int pid = std::atoi(first_line(home() / "mutter.pid").c_str());
  if (pid > 0) {
    ::kill(pid, SIGTERM);
  }
  const bool ended = session_->ends_within(std::chrono::seconds(20)) &&
                     wait_for([&] { return pid <= 0 || process_state(pid) == '\0'; });
  session_.reset();
  return ended;
}

std::vector<std::string> HeadlessMutter::as_user(const std::vector<std::string>& extra) const {
  std::vector<std::string> out{"--reuid=" + std::string(kUser),
                               "--regid=nogroup",
                               "--clear-groups",
                               "env",
                               "-i",
                               "HOME=" + home().string(),
                               "XDG_RUNTIME_DIR=" + runtime_.string(),
                               "XDG_CACHE_HOME=" + (home() / ".cache").string(),
                               "PATH=/usr/bin:/bin"};
  if (!bus_.empty()) {
    out.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_);
    out.push_back("WAYLAND_DISPLAY=wayland-0");
  }
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

std::unique_ptr<Process> HeadlessMutter::start(const fs::path& program,
                                               const std::vector<std::string>& arguments,
                                               const std::vector<std::string>& extra_environment,
                                               const fs::path& stderr_file) const {
  return start_as_user(as_user(extra_environment), program, arguments, stderr_file);
}

bool HeadlessMutter::run(const fs::path& program, const std::vector<std::string>& arguments) const {
  return ends_well(*start("/bin/sh", quiet_command(program, arguments)));
}

std::unique_ptr<Process> HeadlessMutter::input(const std::string& what) const {
  return start(ORVANTH_TEST_MUTTER_INPUT, {what}, {}, home() / "input.log");
}

}  // namespace orvanth::test

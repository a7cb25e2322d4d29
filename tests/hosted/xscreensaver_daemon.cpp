#include "tests/hosted/xscreensaver_daemon.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "tests/support/wait.h"

namespace orvanth::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUser = "nobody";
constexpr const char* kGroup = "nogroup";

// The daemon's user runs the command with only the variables it needs.
std::vector<std::string> as_user(const fs::path& home, const std::vector<std::string>& command) {
  std::vector<std::string> out{
      "--reuid=" + std::string(kUser),
      "--regid=" + std::string(kGroup),
      "--clear-groups",
      "env",
      "-i",
      "HOME=" + home.string(),
      "DISPLAY=" + std::string(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : ""),
      "XDG_RUNTIME_DIR=" + (home / "run").string(),
      "LIBGL_ALWAYS_SOFTWARE=1",
      "PATH=/usr/bin:/bin"};
  out.insert(out.end(), command.begin(), command.end());
  return out;
}

std::string environment_value(pid_t pid, const std::string& name) {
  const std::string text = file_bytes("/proc/" + std::to_string(pid) + "/environ");
  const std::string key = name + "=";
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\0', at);
    const std::string entry =
        text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (entry.rfind(key, 0) == 0) {
      return entry.substr(key.size());
    }
    if (end == std::string::npos) {
      break;
    }
    at = end + 1;
  }
  return {};
}

void chown_to_user(const fs::path& path) {
  const passwd* user = ::getpwnam(kUser);
  if (user != nullptr) {
    [[maybe_unused]] const int ignored = ::chown(path.c_str(), user->pw_uid, user->pw_gid);
  }
}

}  // namespace

InstallPrefix::InstallPrefix() {
  fs::permissions(path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  const std::string command =
      "cmake --install '" ORVANTH_BUILD_DIR "' --prefix '" + path().string() + "' >/dev/null";
  installed_ = std::system(command.c_str()) == 0 && fs::exists(shell());
}

bool InstallPrefix::any_running() const {
  return !processes_of(shell()).empty() || !processes_of(renderer()).empty();
}

void InstallPrefix::kill_all() const {
  for (const fs::path& program : {shell(), renderer()}) {
    for (const pid_t pid : processes_of(program)) {
      ::kill(pid, SIGKILL);
    }
  }
}

XScreenSaverDaemon::XScreenSaverDaemon(const InstallPrefix& prefix) : prefix_(prefix) {
  const fs::path home = home_.path();
  fs::create_directories(home / "run");
  std::ofstream(home / ".xscreensaver")
      << "mode:\t\tone\n"
         "selected:\t0\n"
         "timeout:\t1:00:00\n"
         "lock:\t\tFalse\n"
         "fade:\t\tFalse\n"
         "unfade:\t\tFalse\n"
         "splash:\t\tFalse\n"
         "dpmsEnabled:\tFalse\n"
         "grabDesktopImages:\tFalse\n"
         "programs:\tGL: "
      << (prefix.path() / "bin/orvanth").string() << " --root \\n\n";
  for (const fs::path& p : {home, home / "run", home / ".xscreensaver"}) {
    chown_to_user(p);
  }
  fs::permissions(home / "run", fs::perms::owner_all);
  daemon_ = std::make_unique<Process>(
      "/usr/bin/setpriv", as_user(home, {"xscreensaver", "-no-splash"}), EnvironmentChanges{},
      home.parent_path() / (home.filename().string() + ".log"));
  ready_ = wait_for([&] { return command("-time"); }, std::chrono::seconds(30));
}

XScreenSaverDaemon::~XScreenSaverDaemon() {
  daemon_.reset();
  prefix_.kill_all();
  std::error_code ignored;
  fs::remove(home_.path().parent_path() / (home_.path().filename().string() + ".log"), ignored);
}

bool XScreenSaverDaemon::command(const std::string& argument) const {
  Process p(
      "/usr/bin/setpriv",
      as_user(home_.path(), {"sh", "-c", "exec xscreensaver-command \"$0\" >/dev/null", argument}),
      {}, "/dev/null");
  return p.ends_within(std::chrono::seconds(20)) && p.exit_code() == 0;
}

std::optional<Window> XScreenSaverDaemon::host_window() const {
  for (const pid_t pid : processes_of(prefix_.shell())) {
    const std::string text = environment_value(pid, "XSCREENSAVER_WINDOW");
    if (!text.empty()) {
      return static_cast<Window>(std::strtoul(text.c_str(), nullptr, 0));
    }
  }
  return std::nullopt;
}

}  // namespace orvanth::test

#include "tests/support/headless_sway.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/wait.h"

namespace orvanth::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUser = "nobody";
constexpr const char* kGroup = "nogroup";

void chown_one(const fs::path& path) {
  if (const passwd* user = ::getpwnam(kUser)) {
    [[maybe_unused]] const int ignored = ::lchown(path.c_str(), user->pw_uid, user->pw_gid);
  }
}

// The first file in folder whose name starts with prefix and ends with
// suffix, lock files left out; "" when none.
std::string named_in(const fs::path& folder, const std::string& prefix, const std::string& suffix) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    if (name.starts_with(prefix) && name.ends_with(suffix) && name.size() > prefix.size() &&
        !name.ends_with(".lock")) {
      return name;
    }
  }
  return {};
}

}  // namespace

HeadlessSway::HeadlessSway() {
  runtime_ = home() / "run";
  fs::create_directories(runtime_);
  fs::create_directories(home() / ".cache");
  fs::permissions(home(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(runtime_, fs::perms::owner_all);
  // No bar, no background, no idle: only what the tests put up.
  std::ofstream(home() / "config") << "output * bg #204060 solid_color\n"
                                      "default_border none\n"
                                      "focus_follows_mouse no\n";
  give_to_user(home());
  sway_ = std::make_unique<Process>(
      "/usr/bin/setpriv",
      as_user({"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman", "sway",
               "-c", (home() / "config").string()}),
      EnvironmentChanges{}, home() / "sway.log");
  ready_ = wait_for(
      [&] {
        socket_ = named_in(runtime_, "wayland-", "");
        ipc_ = named_in(runtime_, "sway-ipc.", ".sock");
        return !socket_.empty() && !ipc_.empty();
      },
      std::chrono::seconds(30));
  ready_ = ready_ && wait_for(
                         [&] {
                           return message({"-t", "get_version"});
                         },
                         std::chrono::seconds(30));
}

HeadlessSway::~HeadlessSway() { end(); }

void HeadlessSway::end() { sway_.reset(); }

void HeadlessSway::give_to_user(const fs::path& path) const {
  chown_one(path);
  std::error_code error;
  if (fs::is_directory(path, error)) {
    for (const auto& entry : fs::recursive_directory_iterator(path, error)) {
      chown_one(entry.path());
    }
  }
}

std::vector<std::string> HeadlessSway::as_user(const std::vector<std::string>& extra) const {
  std::vector<std::string> out{"--reuid=" + std::string(kUser),
                               "--regid=" + std::string(kGroup),
                               "--clear-groups",
                               "env",
                               "-i",
                               "HOME=" + home().string(),
                               "XDG_RUNTIME_DIR=" + runtime_.string(),
                               "XDG_CACHE_HOME=" + (home() / ".cache").string(),
                               "PATH=/usr/bin:/bin"};
  if (!socket_.empty()) {
    out.push_back("WAYLAND_DISPLAY=" + socket_);
  }
  if (!ipc_.empty()) {
    out.push_back("SWAYSOCK=" + (runtime_ / ipc_).string());
  }
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

std::unique_ptr<Process> HeadlessSway::start(const fs::path& program,
                                             const std::vector<std::string>& arguments,
                                             const std::vector<std::string>& extra_environment,
                                             const fs::path& stderr_file) const {
  return start_as_user(as_user(extra_environment), program, arguments, stderr_file);
}

bool HeadlessSway::run(const fs::path& program, const std::vector<std::string>& arguments) const {
  return ends_well(*start("/bin/sh", quiet_command(program, arguments)));
}

bool HeadlessSway::add_output() const { return message({"create_output"}); }

bool HeadlessSway::screenshot(const std::string& output, const fs::path& ppm) const {
  return grim({"-o", output}, ppm);
}

bool HeadlessSway::screenshot_of(const std::string& geometry, bool with_cursor,
                                 const fs::path& ppm) const {
  std::vector<std::string> arguments{"-g", geometry};
  if (with_cursor) {
    arguments.push_back("-c");
  }
  return grim(arguments, ppm);
}

bool HeadlessSway::grim(std::vector<std::string> arguments, const fs::path& ppm) const {
  const fs::path shot = home() / "shot.ppm";
  std::error_code error;
  fs::remove(shot, error);
  arguments.insert(arguments.begin(), {"-t", "ppm"});
  arguments.push_back(shot.string());
  if (!run("grim", arguments)) {
    return false;
  }
  fs::copy_file(shot, ppm, fs::copy_options::overwrite_existing, error);
  return !error;
}

VirtualPointer::VirtualPointer(const HeadlessSway& sway) {
  fifo_ = sway.home() / "pointer.fifo";
  ack_ = sway.home() / "pointer.ack";
  ::mkfifo(fifo_.c_str(), 0600);
  sway.give_to_user(fifo_);
  // Read and write: opening does not wait for the tool.
  fd_ = ::open(fifo_.c_str(), O_RDWR | O_CLOEXEC);
  tool_ = sway.start(ORVANTH_TEST_POINTER, {fifo_.string(), ack_.string()});
  ready_ = fd_ >= 0 && wait_for([&] { return file_bytes(ack_) == "0\n"; });
}

VirtualPointer::~VirtualPointer() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
  if (tool_ && !tool_->ends_within(std::chrono::seconds(5))) {
    tool_->kill();
  }
}

bool VirtualPointer::move_to(int x, int y, int width, int height) {
  const std::string line = "to " + std::to_string(x) + " " + std::to_string(y) + " " +
                           std::to_string(width) + " " + std::to_string(height) + "\n";
  if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
    return false;
  }
  const std::string expected = std::to_string(++sent_) + "\n";
  return wait_for([&] { return file_bytes(ack_) == expected; });
}

}  // namespace orvanth::test

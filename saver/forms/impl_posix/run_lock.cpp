// A lock file held with flock: in $XDG_RUNTIME_DIR, else in the user's cache
// folder; one per X display, since each display shows a run of its own. The
// kernel drops the lock when the process ends, however it ends.
#include "saver/forms/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "common/user_folders.h"

namespace orvanth::forms {
namespace {

// The display's name without its screen number, as a file name; in a
// Wayland session without X, the compositor's socket name.
std::string display_part() {
  const char* value = std::getenv("DISPLAY");
  if (value == nullptr || *value == '\0') {
    value = std::getenv("WAYLAND_DISPLAY");
  }
  std::string name = value != nullptr ? value : "";
  const std::size_t colon = name.rfind(':');
  const std::size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
  if (dot != std::string::npos) {
    name.erase(dot);
  }
  for (char& c : name) {
    if (c == '/') {
      c = '_';
    }
  }
  return name;
}

// make: the cache folder is made if missing (a run's claim); a look at the
// lock leaves the user's folders as they are.
std::string lock_folder(bool make) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    return runtime;
  }
  const std::string folder = app_folder(cache_home());
  return !make || make_folders(folder) ? folder : std::string();
}

std::string lock_path(bool make) {
  const std::string folder = lock_folder(make);
  return folder.empty() ? folder : path_in(folder, "orvanth-run" + display_part() + ".lock");
}

}  // namespace

bool claim_run_lock() {
  const std::string path = lock_path(true);
  if (path.empty()) {
    return true;
  }
  // Kept open, never closed: the lock lasts as long as the program.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    return true;
  }
  ::close(fd);
  return false;
}

bool run_lock_held() {
  const std::string path = lock_path(false);
  const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    return false;
  }
  // A shared lock is refused only while a run holds its exclusive one.
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

}  // namespace orvanth::forms

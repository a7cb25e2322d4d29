#include "saver/hosted/hosted_run.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "common/texture_files.h"
#include "platform/x11/connection.h"

namespace orvanth::hosted {
namespace {

// Module state, set once by Main.
std::optional<unsigned long> host_window_id;
// Held open (and so locked) for the life of the process.
int music_lock_fd = -1;

}  // namespace

void set_host(std::optional<unsigned long> window) { host_window_id = window; }
std::optional<unsigned long> host() { return host_window_id; }
bool is_hosted() { return host_window_id.has_value(); }

std::string music_lock_path() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') {
    return std::string(runtime) + "/orvanth-music.lock";
  }
  const std::string folder = TextureFolder();
  ::mkdir(folder.c_str(), 0700);
  return folder + "music.lock";
}

bool take_music_lock() {
  if (music_lock_fd >= 0) {
    return true;
  }
  // Close-on-exec: the renderer must not hold the lock past the shell.
  const int fd = ::open(music_lock_path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    // No place to agree in: play, as a design run would.
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  music_lock_fd = fd;
  return true;
}

bool window_exists(unsigned long window) {
  Display* dpy = x11::display();
  if (dpy == nullptr) {
    return false;
  }
  x11::ErrorTrap trap(dpy);
  XWindowAttributes attributes{};
  const Status ok = XGetWindowAttributes(dpy, static_cast<Window>(window), &attributes);
  return !trap.failed() && ok != 0;
}

unsigned long root_window() {
  Display* dpy = x11::display();
  return dpy == nullptr ? 0 : DefaultRootWindow(dpy);
}

}  // namespace orvanth::hosted

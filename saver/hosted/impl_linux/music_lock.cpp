#include "saver/hosted/impl_linux/music_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "common/texture_files.h"

namespace orvanth::hosted {
namespace {

// Module state: held open (and so locked) for the life of the process.
int music_lock_fd = -1;

// The lock file: $XDG_RUNTIME_DIR/orvanth-music.lock, else music.lock in
// the per-user texture folder.
std::string music_lock_path() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') {
    return std::string(runtime) + "/orvanth-music.lock";
  }
  const std::string folder = texture_folder();
  ::mkdir(folder.c_str(), 0700);
  return folder + "music.lock";
}

}  // namespace

bool take_music_lock() {
  if (music_lock_fd >= 0) {
    return true;
  }
  // Close-on-exec: the renderer must not hold the lock past the shell.
  const int fd = ::open(music_lock_path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    // No place to agree in: play, as an unhosted run does.
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  music_lock_fd = fd;
  return true;
}

}  // namespace orvanth::hosted

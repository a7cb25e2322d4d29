// The file services on POSIX.
#include "saver/forms/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanth::forms {

bool delete_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool opens_for_reading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return false;
  }
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  ::close(fd);
  return ok;
}

bool path_exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace orvanth::forms

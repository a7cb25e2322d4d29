#include "common/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/user_folders.h"

namespace orvanth {
namespace {

constexpr int kMaxLinks = 40;  // the kernel's own limit on a chain

void set_error(std::string* error, const std::string& what, int code) {
  if (error != nullptr) {
    *error = what + ": " + std::strerror(code);
  }
}

bool write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string resolve_links(const std::string& path) {
  std::string at = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return at;  // a missing end is where the file will be created
    }
    char target[PATH_MAX];
    const ssize_t n = ::readlink(at.c_str(), target, sizeof target - 1);
    if (n <= 0) {
      return {};
    }
    const std::string next(target, static_cast<std::size_t>(n));
    if (next.front() == '/') {
      at = next;
    } else {
      at = parent_folder(at).append("/").append(next);
    }
  }
  return {};
}

bool replace_file_atomically(const std::string& path, std::string_view bytes, std::uint32_t mode,
                             LinkRule links, Flush flush, std::string* error) {
  const std::string target = links == LinkRule::kFollow ? resolve_links(path) : path;
  if (target.empty()) {
    set_error(error, "cannot resolve " + path, ELOOP);
    return false;
  }
  // mkstemp opens with O_EXCL, so nothing planted under the temporary name is
  // followed; rename then swaps the entry in one step.
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    set_error(error, "cannot create " + temp, errno);
    return false;
  }
  bool ok = write_all(fd, bytes) && ::fchmod(fd, static_cast<mode_t>(mode)) == 0 &&
            (flush == Flush::kLazily || ::fsync(fd) == 0);
  int code = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) == 0) {
    return true;
  }
  if (ok) {
    code = errno;
  }
  ::unlink(temp.c_str());
  set_error(error, "cannot write " + target, code);
  return false;
}

}  // namespace orvanth

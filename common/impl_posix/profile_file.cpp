// The file side of the profile functions: a whole-file read that never blocks
// and takes only regular files, and a rewrite that replaces the file (or a
// symlink's target) atomically, so a failed write never leaves a half-written
// settings file behind.
#include "common/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "common/atomic_file.h"
#include "common/ini_file.h"

namespace orvanth::ini {
namespace {

// The whole file, or nothing when path is not a regular file that opens for
// reading. O_NONBLOCK keeps a FIFO from waiting for a writer.
std::optional<std::string> read_whole(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat st {};
  std::optional<std::string> text;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    text.emplace();
    char buffer[8192];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n < 0) {
        text.reset();
        break;
      }
      if (n == 0) {
        break;
      }
      text->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return text;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path) {
  const auto text = read_whole(path);
  return read_value(text ? std::string_view(*text) : std::string_view(), section, key, fallback,
                    buffer_size);
}

bool profile_writable(const std::string& path) {
  const std::string target = resolve_links(path);
  if (target.empty() || ::access(folder_of(target).c_str(), W_OK | X_OK) != 0) {
    return false;
  }
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) {
    // A missing file is created; a dangling link is left as it is.
    return errno == ENOENT && target == path;
  }
  // Root passes every access test, so a file without any write bit counts as
  // read-only for everyone.
  return S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 &&
         ::access(target.c_str(), R_OK | W_OK) == 0;
}

bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path) {
  if (!storable(section, key, value) || !profile_writable(path)) {
    return false;
  }
  const std::string target = resolve_links(path);
  struct stat st {};
  mode_t mode = 0644;
  std::string text;
  if (::lstat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
    auto old = read_whole(target);
    if (!old) {
      return false;  // never replace a file we could not read
    }
    text = std::move(*old);
  }
  return replace_file_atomically(target, write_value(text, section, key, value), mode,
                                 LinkRule::kReplace, Flush::kToDisk);
}

}  // namespace orvanth::ini

// The file side of the profile functions: whole-file read, and a rewrite
// through a temporary file in the same folder so that a failed write never
// leaves a half-written settings file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/ini/ini_file.h"

namespace orvanth::ini {
namespace {

std::optional<std::string> read_whole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    return std::nullopt;
  }
  return text;
}

bool write_all(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool replace_file(const std::string& path, const std::string& text, mode_t mode) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    return false;
  }
  bool ok = write_all(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
    return true;
  }
  ::unlink(temp.c_str());
  return false;
}

}  // namespace

std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path) {
  const auto text = read_whole(path);
  return read_value(text ? std::string_view(*text) : std::string_view(), section, key, fallback,
                    buffer_size);
}

bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path) {
  if (!storable(section, key, value)) {
    return false;
  }
  struct stat st {};
  mode_t mode = 0644;
  std::string text;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
    auto old = read_whole(path);
    if (!old) {
      return false;  // never replace a file we could not read
    }
    text = std::move(*old);
  }
  return replace_file(path, write_value(text, section, key, value), mode);
}

}  // namespace orvanth::ini

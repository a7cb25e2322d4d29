#include "tests/support/files.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace orvanth::test {

TempFolder::TempFolder(const std::string& stem) {
  std::string pattern = (std::filesystem::temp_directory_path() / (stem + ".XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::abort();
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  try {
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  } catch (const std::ios_base::failure&) {
    // A file that goes while it is read (the /proc entry of a process being
    // reaped) reads as empty.
    return {};
  }
}

OpenWatch::OpenWatch(const std::filesystem::path& folder)
    : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ >= 0) {
    inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CREATE | IN_MODIFY);
  }
}

OpenWatch::~OpenWatch() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

bool OpenWatch::touched(const std::string& name) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
      break;
    }
    for (ssize_t off = 0; off < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + off);
      if (event->len > 0 && name == event->name) {
        seen_ = true;
      }
      off += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return seen_;
}

}  // namespace orvanth::test

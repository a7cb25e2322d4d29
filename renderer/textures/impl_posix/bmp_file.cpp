#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "renderer/textures/bmp.h"

namespace orvanth {
namespace {

class FileBmpSource final : public BmpSource {
 public:
  FileBmpSource(int fd, std::uint64_t size) : fd_(fd), left_(size) {}
  ~FileBmpSource() override { ::close(fd_); }
  FileBmpSource(const FileBmpSource&) = delete;
  FileBmpSource& operator=(const FileBmpSource&) = delete;

  std::size_t read(std::uint8_t* to, std::size_t size) override {
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::read(fd_, to + done, size - done);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        break;
      }
      done += static_cast<std::size_t>(n);
    }
    left_ -= std::min<std::uint64_t>(left_, done);
    return done;
  }
  std::uint64_t remaining() const override { return left_; }

 private:
  int fd_;
  std::uint64_t left_;
};

}  // namespace

std::unique_ptr<BmpSource> open_bmp_file(const std::string& file_name) {
  const int fd = ::open(file_name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FileBmpSource>(fd, static_cast<std::uint64_t>(info.st_size));
}

}  // namespace orvanth

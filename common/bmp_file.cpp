#include "common/bmp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvanth {

namespace {

void put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void set_error(std::string* error, const std::string& what) {
  if (error != nullptr) {
    *error = what + ": " + std::strerror(errno);
  }
}

// Creates every missing folder of dir with mode 0700; an existing one is kept.
bool make_folders(const std::string& dir) {
  for (std::size_t at = 1; at <= dir.size(); ++at) {
    if (at != dir.size() && dir[at] != '/') {
      continue;
    }
    const std::string part = dir.substr(0, at);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
  }
  struct stat info {};
  return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool write_all(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
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

std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint8_t* rgb_top_down) {
  const std::size_t stride = BmpRowStride(width);
  const std::size_t data_size = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> file(kBmpHeaderSize + data_size, 0);
  std::uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  std::uint8_t* info = h + kBmpFileHeaderSize;
  put32(h + kBmpFileSizeAt, static_cast<std::uint32_t>(file.size()));
  put32(h + kBmpPixelOffsetAt, kBmpHeaderSize);
  put32(info + kBmpInfoSizeAt, kBmpInfoHeaderSize);
  put32(info + kBmpWidthAt, static_cast<std::uint32_t>(width));
  put32(info + kBmpHeightAt, static_cast<std::uint32_t>(height));
  put16(info + kBmpPlanesAt, 1);
  put16(info + kBmpBitCountAt, kBmpBitCount);
  put32(info + kBmpSizeImageAt, static_cast<std::uint32_t>(data_size));
  // Compression, resolution and colour counts stay 0.
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = rgb_top_down + static_cast<std::size_t>(height - 1 - y) * width * 3;
    std::uint8_t* dst = h + kBmpHeaderSize + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  return file;
}

bool WriteBmpFile(const std::string& path, int width, int height,
                  const std::uint8_t* rgb_top_down, std::string* error) {
  if (width <= 0 || height <= 0 || rgb_top_down == nullptr) {
    errno = EINVAL;
    set_error(error, "bad image");
    return false;
  }
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  if (!make_folders(dir)) {
    set_error(error, "cannot create " + dir);
    return false;
  }
  // mkstemp opens with O_EXCL, so nothing planted under the temporary name is
  // followed; rename then replaces whatever entry path names, links included.
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    set_error(error, "cannot create " + temp);
    return false;
  }
  const bool written = write_all(fd, EncodeBmp24(width, height, rgb_top_down));
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(temp.c_str(), path.c_str()) != 0) {
    set_error(error, "cannot write " + path);
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace orvanth

#include <windows.h>

#include <algorithm>

#include "renderer/textures/bmp.h"

namespace orvanth {
namespace {

class FileBmpSource final : public BmpSource {
 public:
  FileBmpSource(HANDLE file, std::uint64_t size) : file_(file), left_(size) {}
  ~FileBmpSource() override { CloseHandle(file_); }
  FileBmpSource(const FileBmpSource&) = delete;
  FileBmpSource& operator=(const FileBmpSource&) = delete;

  std::size_t read(std::uint8_t* to, std::size_t size) override {
    std::size_t done = 0;
    while (done < size) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1U << 30));
      DWORD got = 0;
      if (!ReadFile(file_, to + done, chunk, &got, nullptr) || got == 0) {
        break;
      }
      done += got;
    }
    left_ -= std::min<std::uint64_t>(left_, done);
    return done;
  }
  std::uint64_t remaining() const override { return left_; }

 private:
  HANDLE file_;
  std::uint64_t left_;
};

}  // namespace

std::unique_ptr<BmpSource> open_bmp_file(const std::string& file_name) {
  const HANDLE file = CreateFileA(file_name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<FileBmpSource>(file, static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace orvanth

// Test support: private temporary folders, whole files read back, and a
// watch on what is opened in a folder.
#pragma once

#include <filesystem>
#include <string>

namespace orvanth::test {

// A fresh folder below the temporary directory, removed with its contents.
class TempFolder {
 public:
  explicit TempFolder(const std::string& stem = "orvanth-t");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The file's bytes; "" when it cannot be read.
std::string file_bytes(const std::filesystem::path& path);

// Notes every opening of the files of one folder.
class OpenWatch {
 public:
  explicit OpenWatch(const std::filesystem::path& folder);
  ~OpenWatch();
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // Reads what has arrived; true when name has been opened, created or
  // changed since the watch began.
  bool touched(const std::string& name);

 private:
  int fd_;
  bool seen_ = false;
};

}  // namespace orvanth::test

// The profile functions on Windows: kernel32's own.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "saver/forms/profile.h"

namespace orvanth::forms {
namespace {

bool is_folder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::string folder_part(const std::string& path) {
  const std::size_t at = path.find_last_of("\\/");
  if (at == std::string::npos) {
    return ".";
  }
  return at == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, at);
}

// A file made and deleted at once in folder: whether the user may create
// files there.
bool folder_writable(const std::string& folder) {
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "orv", 0, name) == 0) {
    return false;
  }
  DeleteFileA(name);
  return true;
}

}  // namespace

std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path) {
  if (buffer_size == 0) {
    return {};
  }
  std::vector<char> buffer(buffer_size, '\0');
  const DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                           std::string(fallback).c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer_size), path.c_str());
  return std::string(buffer.data(), std::min<std::size_t>(n, buffer_size - 1));
}

// A read-only file is left as it is, whatever the user's rights on it.
bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (is_folder(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0)) {
    return false;
  }
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), path.c_str()) != 0;
}

bool profile_writable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return GetLastError() == ERROR_FILE_NOT_FOUND && folder_writable(folder_part(path));
  }
  if (is_folder(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  // Opened for writing and closed again, nothing written.
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  const bool disk_file = GetFileType(file) == FILE_TYPE_DISK;
  CloseHandle(file);
  return disk_file;
}

// Written to a file of its own and read back: the system's own rules decide
// (blanks and quotes at the ends, line breaks, the code page).
bool profile_keeps(std::string_view section, std::string_view key, std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos) {
    return false;
  }
  char folder[MAX_PATH];
  char name[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, folder);
  if (n == 0 || n >= MAX_PATH || GetTempFileNameA(folder, "orv", 0, name) == 0) {
    return false;
  }
  const std::string file = name;
  const bool kept = write_profile_string(section, key, value, file) &&
                    get_profile_string(section, key, "\x01", value.size() + 2, file) == value;
  DeleteFileA(file.c_str());
  return kept;
}

}  // namespace orvanth::forms

#include "common/user_folders.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "common/impl_win32/ansi_path.h"

namespace orvanth {
namespace {

std::string known_folder(int csidl) {
  wchar_t path[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                              path))) {
    return {};
  }
  return ansi_path(path);
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Where the folder part of a path begins: after "C:\" or "\\server\share\".
std::size_t root_length(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    return path.size() >= 3 && is_separator(path[2]) ? 3 : 2;
  }
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    std::size_t at = path.find_first_of("\\/", 2);
    at = at == std::string::npos ? path.size() : path.find_first_of("\\/", at + 1);
    return at == std::string::npos ? path.size() : at + 1;
  }
  return path.size() >= 1 && is_separator(path[0]) ? 1 : 0;
}

bool is_folder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string ansi_path(const wchar_t* wide) {
  auto narrow = [](const wchar_t* text, std::string& out) {
    BOOL lossy = FALSE;
    const int n =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) {
      return false;
    }
    std::vector<char> buffer(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, buffer.data(), n, nullptr, &lossy);
    out.assign(buffer.data());
    return !lossy;
  };
  std::string out;
  if (narrow(wide, out)) {
    return out;
  }
  wchar_t short_path[MAX_PATH];
  const DWORD n = GetShortPathNameW(wide, short_path, MAX_PATH);
  return n > 0 && n < MAX_PATH && narrow(short_path, out) ? out : std::string();
}

std::string home_folder() { return known_folder(CSIDL_PROFILE); }

std::string config_home() { return known_folder(CSIDL_APPDATA); }

std::string cache_home() { return known_folder(CSIDL_LOCAL_APPDATA); }

std::string app_folder(const std::string& base) { return base + "\\Orvanth"; }

std::string parent_folder(const std::string& path) {
  const std::size_t root = root_length(path);
  const std::size_t at = path.find_last_of("\\/");
  if (at == std::string::npos || at < root) {
    return root > 0 ? path.substr(0, root) : ".";
  }
  return at + 1 == root ? path.substr(0, root) : path.substr(0, at);
}

bool make_folders(const std::string& dir) {
  for (std::size_t at = root_length(dir); at <= dir.size(); ++at) {
    if (at != dir.size() && !is_separator(dir[at])) {
      continue;
    }
    const std::string part = dir.substr(0, at);
    if (!part.empty() && !is_folder(part) && !CreateDirectoryA(part.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  return is_folder(dir);
}

}  // namespace orvanth

#include "common/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvanth {
namespace {

std::string xdg_or(const char* name, const char* fallback_leaf) {
  const char* value = std::getenv(name);
  if (value != nullptr && value[0] == '/') {
    return value;
  }
  return home_folder() + fallback_leaf;
}

}  // namespace

std::string home_folder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return home;
  }
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string config_home() { return xdg_or("XDG_CONFIG_HOME", "/.config"); }

std::string cache_home() { return xdg_or("XDG_CACHE_HOME", "/.cache"); }

std::string app_folder(const std::string& base) { return base + "/orvanth"; }

std::string parent_folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool make_folders(const std::string& dir) {
  for (std::size_t at = 1; at <= dir.size(); ++at) {
    if (at != dir.size() && dir[at] != '/') {
      continue;
    }
    const std::string part = dir.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
  }
  struct stat info {};
  return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace orvanth

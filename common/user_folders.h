// The user's base folders, computed the same way by both programs: on Linux
// by the XDG base-directory rules, on Windows the user's application data
// folders.
#pragma once

#include <string>
#include <string_view>

namespace orvanth {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Linux: $HOME, else the home folder of the password entry. Windows: the
// user's profile folder. "" when it is not known.
std::string home_folder();

// Linux: $XDG_CONFIG_HOME when it is an absolute path (a relative one is
// ignored), else home_folder() + "/.config". Windows: the roaming application
// data folder (%APPDATA%).
std::string config_home();

// Linux: $XDG_CACHE_HOME when absolute, else home_folder() + "/.cache".
// Windows: the local application data folder (%LOCALAPPDATA%).
std::string cache_home();

// Our own folder inside one of the base folders above: base + "/orvanth" on
// Linux, base + "\Orvanth" on Windows.
std::string app_folder(const std::string& base);

// The folder part of a path, without its last separator ("/" and "C:\" keep
// theirs); "." when the path has no folder part.
std::string parent_folder(const std::string& path);

// name inside folder, one separator between them: a root ("/", "C:\")
// already ends with its own.
inline std::string path_in(const std::string& folder, std::string_view name) {
  const bool ends = !folder.empty() && folder.back() == kPathSeparator;
  return folder + (ends ? "" : std::string(1, kPathSeparator)) + std::string(name);
}

// Creates every missing folder of dir (mode 0700 on Linux); true when dir is
// then a folder.
bool make_folders(const std::string& dir);

}  // namespace orvanth

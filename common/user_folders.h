// The user's base folders by the XDG base-directory rules, computed the same
// way by both programs.
#pragma once

#include <string>

namespace orvanth {

// $HOME, else the home folder of the password entry; "" when neither is known.
std::string home_folder();

// $XDG_CONFIG_HOME when it is an absolute path (a relative one is ignored),
// else home_folder() + "/.config".
std::string config_home();

// $XDG_CACHE_HOME when absolute, else home_folder() + "/.cache".
std::string cache_home();

// Creates every missing folder of dir with mode 0700; true when dir is then a
// folder.
bool make_folders(const std::string& dir);

}  // namespace orvanth

// Where the Linux build keeps the settings and textures: the XDG rules, the
// password entry, and the program's folder from /proc.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/texture_files.h"
#include "common/user_folders.h"
#include "saver/settings_file.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;
using orvanth::kKeyBgmType;
using orvanth::kSettingsSection;

TEST(SettingsPath, ThisProcessReadsBesideItsProgramWithoutAUserFile) {
  orvanth::test::TempFolder config;
  ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  EXPECT_EQ(orvanth::settings_path(),
            fs::canonical("/proc/self/exe").parent_path().string() + "/Orvanth.ini");
}

TEST(SettingsPath, WritingToTheUserFolderCreatesIt) {
  orvanth::test::TempFolder home;
  const std::string config = (home.path() / "config").string();
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  const std::string path =
      orvanth::settings_path_for(orvanth::SettingsUse::kSave, "/ro", config, false, false);
  WriteIni(kSettingsSection, kKeyBgmType, " 1", path);
  EXPECT_EQ(ReadIni(kSettingsSection, kKeyBgmType, path), "1");
  EXPECT_EQ(orvanth::settings_path(), path);  // present now, so it is the one read
}

TEST(UserFolders, XdgValuesMustBeAbsoluteAndNoHomeFallsBackToThePasswordEntry) {
  const std::string own_home = ::getpwuid(::getuid())->pw_dir;
  const struct {
    const char* xdg;   // XDG_CONFIG_HOME and XDG_CACHE_HOME, nullptr: unset
    const char* home;  // HOME, nullptr: unset
    std::string config;
    std::string cache;
  } cases[] = {
      {"/x", "/h", "/x", "/x"},
      {"relative/x", "/h", "/h/.config", "/h/.cache"},
      {"", "/h", "/h/.config", "/h/.cache"},
      {nullptr, nullptr, own_home + "/.config", own_home + "/.cache"},
      {nullptr, "", own_home + "/.config", own_home + "/.cache"},
  };
  for (const auto& c : cases) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
      c.xdg != nullptr ? ::setenv(name, c.xdg, 1) : ::unsetenv(name);
    }
    c.home != nullptr ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
    EXPECT_EQ(orvanth::config_home(), c.config) << (c.xdg ? c.xdg : "-");
    EXPECT_EQ(orvanth::cache_home(), c.cache) << (c.xdg ? c.xdg : "-");
    EXPECT_EQ(orvanth::texture_folder(), c.cache + "/orvanth/");
  }
}

}  // namespace

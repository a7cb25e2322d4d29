// ReadSettings, FileExists and where the settings file lives.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/texture_files.h"
#include "common/user_folders.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;
using orvanth::kKeyBgmFile;
using orvanth::kKeyBgmRepeat;
using orvanth::kKeyBgmType;
using orvanth::kSettingsSection;

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    BgmType = orvanth::kBgmNone;
    BgmRepeat = 0;
    BgmFile.clear();
    ini_ = (folder_.path() / "Orvanth.ini").string();
    song_ = (folder_.path() / "song.mp3").string();
    std::ofstream(song_) << "ID3";
  }
  void store(const std::string& type, const std::string& repeat, const std::string& file) {
    WriteIni(kSettingsSection, kKeyBgmType, type, ini_);
    WriteIni(kSettingsSection, kKeyBgmRepeat, repeat, ini_);
    WriteIni(kSettingsSection, kKeyBgmFile, file, ini_);
  }
  void read() { orvanth::read_settings_from(ini_); }

  orvanth::test::TempFolder folder_;
  std::string ini_;
  std::string song_;
};

TEST_F(Settings, NoFileMeansNoMusic) {
  BgmType = orvanth::kBgmFile;  // what a missing file must clear
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmNone);
  EXPECT_EQ(BgmRepeat, 0);
  EXPECT_EQ(BgmFile, "");
  EXPECT_FALSE(fs::exists(ini_));  // reading never writes
}

TEST_F(Settings, FileMusicKeepsAnExistingFile) {
  store(" 2", " 5", song_);
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmFile);
  EXPECT_EQ(BgmRepeat, 5);
  EXPECT_EQ(BgmFile, song_);
}

TEST_F(Settings, FileMusicWithAMissingOrEmptyFileBecomesNone) {
  store(" 2", " 0", song_ + ".gone");
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmNone);
  EXPECT_EQ(BgmFile, "");
  store(" 2", " 0", "");
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmNone);
  EXPECT_EQ(BgmFile, "");
}

TEST_F(Settings, CdMusicIsNeverChangedByTheFileTest) {
  store(" 1", " 3", song_ + ".gone");
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmCd);
  EXPECT_EQ(BgmRepeat, 3);
  EXPECT_EQ(BgmFile, "");
}

TEST_F(Settings, NumbersAreFlooredAndBadOnesLeaveZero) {
  const struct {
    const char* text;
    std::int16_t expected;
  } cases[] = {{"1.7", 1}, {"-0.5", -1}, {"-1.5", -2}, {"word", 0},
               {"40000", 0}, {"32767.9", 32767}, {"-32768", -32768}, {"2x", 0}};
  for (const auto& c : cases) {
    BgmType = orvanth::kBgmNone;
    BgmRepeat = 0;
    store(c.text, c.text, song_);
    read();
    EXPECT_EQ(BgmType, c.expected) << c.text;
    EXPECT_EQ(BgmRepeat, c.expected) << c.text;
  }
}

TEST_F(Settings, APathEndingInASeparatorIsTestedWithoutIt) {
  EXPECT_EQ(FileExists(song_ + "/"), -1);
  EXPECT_EQ(FileExists(song_), -1);
  EXPECT_EQ(FileExists(folder_.path().string() + "/"), 0);  // a folder
  EXPECT_EQ(FileExists(""), 0);
  store(" 2", " 0", folder_.path().string() + "/");
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmNone);
  EXPECT_EQ(BgmFile, "");
}

TEST_F(Settings, LongStoredPathsAreCutTo255Bytes) {
  const std::string long_path(300, 'p');
  store(" 1", " 0", long_path);
  EXPECT_EQ(ReadIni(kSettingsSection, kKeyBgmFile, ini_), long_path.substr(0, 255));
}

TEST(SettingsPath, BesideTheProgramUnlessThatCannotWork) {
  using orvanth::SettingsUse;
  const struct {
    SettingsUse use;
    bool user_present;
    bool beside_writable;
    const char* expected;
  } cases[] = {
      {SettingsUse::Read, false, false, "/opt/o/Orvanth.ini"},
      {SettingsUse::Save, false, true, "/opt/o/Orvanth.ini"},
      // A read-only file or folder beside the program: the save goes to the
      // user's file, which is read from then on, wherever saves could go.
      {SettingsUse::Save, false, false, "/c/orvanth/Orvanth.ini"},
      {SettingsUse::Read, true, false, "/c/orvanth/Orvanth.ini"},
      {SettingsUse::Read, true, true, "/c/orvanth/Orvanth.ini"},
      {SettingsUse::Save, true, true, "/c/orvanth/Orvanth.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::settings_path_for(c.use, "/opt/o", "/c", c.user_present, c.beside_writable),
              c.expected)
        << static_cast<int>(c.use) << c.user_present << c.beside_writable;
  }
  EXPECT_EQ(orvanth::settings_path_for(SettingsUse::Read, "/", "/c", false, true),
            "//Orvanth.ini");
  orvanth::test::TempFolder config;
  ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  EXPECT_EQ(orvanth::SettingsPath(),
            fs::canonical("/proc/self/exe").parent_path().string() + "/Orvanth.ini");
}

TEST(SettingsPath, WritingToTheUserFolderCreatesIt) {
  orvanth::test::TempFolder home;
  const std::string config = (home.path() / "config").string();
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  const std::string path =
      orvanth::settings_path_for(orvanth::SettingsUse::Save, "/ro", config, false, false);
  WriteIni(kSettingsSection, kKeyBgmType, " 1", path);
  EXPECT_EQ(ReadIni(kSettingsSection, kKeyBgmType, path), "1");
  EXPECT_EQ(orvanth::SettingsPath(), path);  // present now, so it is the one read
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
    EXPECT_EQ(orvanth::TextureFolder(), c.cache + "/orvanth/");
  }
}

}  // namespace

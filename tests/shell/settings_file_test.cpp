// ReadSettings, FileExists and where the settings file lives, on both
// platforms: on Windows through the system's own profile functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/user_folders.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

namespace {

namespace fs = std::filesystem;
using orvanth::kKeyBgmFile;
using orvanth::kKeyBgmRepeat;
using orvanth::kKeyBgmType;
using orvanth::kPathSeparator;
using orvanth::kSettingsSection;

// A fresh folder of the test's own below the system's temporary folder.
class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() /
              ("orvanth-settings-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

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

  Folder folder_;
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
  } cases[] = {{"1.7", 1},   {"-0.5", -1},       {"-1.5", -2},       {"word", 0},
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
  EXPECT_EQ(FileExists(song_ + kPathSeparator), -1);
  EXPECT_EQ(FileExists(song_), -1);
  EXPECT_EQ(FileExists(folder_.path().string() + kPathSeparator), 0);  // a folder
  EXPECT_EQ(FileExists(""), 0);
  store(" 2", " 0", folder_.path().string() + kPathSeparator);
  read();
  EXPECT_EQ(BgmType, orvanth::kBgmNone);
  EXPECT_EQ(BgmFile, "");
}

TEST_F(Settings, LongStoredPathsAreCutTo255Bytes) {
  const std::string long_path(300, 'p');
  store(" 1", " 0", long_path);
  EXPECT_EQ(ReadIni(kSettingsSection, kKeyBgmFile, ini_), long_path.substr(0, 255));
}

// The program folder, the user's base folder, and the two files in them,
// spelt for the platform: a drive's root and backslashes on Windows.
#ifdef _WIN32
constexpr char kSep = '\\';
const std::string kTop = "C:\\";
const std::string kApp = "Orvanth";
#else
constexpr char kSep = '/';
const std::string kTop = "/";
const std::string kApp = "orvanth";
#endif
const std::string kProgram = kTop + "Saver";
const std::string kBase = kTop + "Roaming";
const std::string kBeside = kProgram + kSep + "Orvanth.ini";
const std::string kUser = kBase + kSep + kApp + kSep + "Orvanth.ini";

TEST(SettingsPath, BesideTheProgramUnlessThatCannotWork) {
  using orvanth::SettingsUse;
  const struct {
    SettingsUse use;
    bool user_present;
    bool beside_writable;
    std::string expected;
  } cases[] = {
      {SettingsUse::kRead, false, false, kBeside},
      {SettingsUse::kSave, false, true, kBeside},
      // A read-only file or folder beside the program: the save goes to the
      // user's file, which is read from then on, wherever saves could go.
      {SettingsUse::kSave, false, false, kUser},
      {SettingsUse::kRead, true, false, kUser},
      {SettingsUse::kRead, true, true, kUser},
      {SettingsUse::kSave, true, true, kUser},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::settings_path_for(c.use, kProgram, kBase, c.user_present, c.beside_writable),
              c.expected)
        << static_cast<int>(c.use) << c.user_present << c.beside_writable;
  }
  // A program in a drive's root: its folder keeps its separator, and no
  // second one is put after it.
  EXPECT_EQ(orvanth::settings_path_for(SettingsUse::kRead, kTop, kBase, false, true),
            kTop + "Orvanth.ini");
}

}  // namespace

// The Windows shell's settings routines under Wine, through the console
// settings tool standing where Orvanth.scr would: one file format for both
// builds, and a program folder that cannot be written (a Wine drive mapped
// to a read-only folder, as an ordinary user: root ignores file modes).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "saver/settings_file.h"
#include "saver/shell_state.h"
#include "tests/support/files.h"
#include "tests/support/settings_image.h"
#include "tests/support/wine.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;

fs::path settings_tool() { return wine::build() / "tests" / "shell" / "orvanth_settings_tool.exe"; }

// The tool's output lines, without Wine's CRs.
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      out.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  return out;
}

// A program folder holding the tool, run under the test run's prefix.
class ToolFolder {
 public:
  ToolFolder() { fs::copy_file(settings_tool(), folder() / "orvanth_settings_tool.exe"); }
  fs::path folder() const { return root_.path(); }
  fs::path settings() const { return folder() / "Orvanth.ini"; }
  std::vector<std::string> run(const std::vector<std::string>& arguments) const {
    std::string out;
    EXPECT_EQ(wine::run_console(folder() / "orvanth_settings_tool.exe", arguments, &out), 0);
    return lines_of(out);
  }

 private:
  TempFolder root_{"orvanth-wine-ini"};
};

class WineSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
  }
};

// What the Linux build writes, the Windows build reads, and the other way
// round: the Shift-JIS keys, the number texts, a file name with blanks (a
// file that is there, as a missing one is dropped on reading).
TEST_F(WineSettings, EachBuildReadsWhatTheOtherWrote) {
  ToolFolder windows;
  std::ofstream(windows.folder() / "a b.mp3") << "x";
  const std::string windows_file = wine::windows_path(windows.folder() / "a b.mp3");
  WriteIni(kSettingsSection, kKeyBgmType, " 2", windows.settings().string());
  WriteIni(kSettingsSection, kKeyBgmRepeat, " 1", windows.settings().string());
  WriteIni(kSettingsSection, kKeyBgmFile, windows_file, windows.settings().string());
  EXPECT_EQ(windows.run({"read"}), (std::vector<std::string>{wine::windows_path(windows.settings()),
                                                             "2|1|" + windows_file}));

  ToolFolder other;
  const std::string linux_file = (other.folder() / "x y.wav").string();
  std::ofstream(linux_file) << "x";
  const std::vector<std::string> saved = other.run({"save", "2", "0", linux_file});
  ASSERT_EQ(saved, std::vector<std::string>{wine::windows_path(other.settings())});
  read_settings_from(other.settings().string());
  EXPECT_EQ(BgmType, 2);
  EXPECT_EQ(BgmRepeat, 0);
  EXPECT_EQ(BgmFile, linux_file);
}

// A prefix of an ordinary user's own, with drive R: mapped to a folder that
// user may read but not write, holding the tool.
class ReadOnlyDrive {
 public:
  ReadOnlyDrive() {
    const bool root = ::geteuid() == 0;
    fs::permissions(root_.path(), static_cast<fs::perms>(0755));
    fs::create_directories(home() / "ro");
    fs::copy_file(settings_tool(), home() / "ro" / "orvanth_settings_tool.exe");
    fs::permissions(home(), static_cast<fs::perms>(0755));
    if (root) {
      EXPECT_EQ(std::system(("chown -R nobody:nogroup '" + home().string() + "'").c_str()), 0);
      runner_ = "/usr/bin/setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    }
    runner_ +=
        "env -u DISPLAY HOME='" + home().string() + "' WINEPREFIX='" + prefix().string() + "'";
    // The first start makes the prefix; then the drive, then the folder's mode.
    made_ = wine::run_console("cmd.exe", {"/c", "exit"}, nullptr, runner_) == 0;
    fs::create_symlink(home() / "ro", prefix() / "dosdevices" / "r:");
    fs::permissions(home() / "ro", static_cast<fs::perms>(0555));
  }
  ~ReadOnlyDrive() {
    std::system((runner_ + " wineserver -k").c_str());
    fs::permissions(home() / "ro", static_cast<fs::perms>(0755));
  }
  bool made() const { return made_; }
  fs::path folder() const { return home() / "ro"; }
  std::vector<std::string> run(const std::vector<std::string>& arguments) const {
    std::string out;
    EXPECT_EQ(wine::run_console("R:\\orvanth_settings_tool.exe", arguments, &out, runner_), 0);
    return lines_of(out);
  }
  // A C: path of this prefix as a path of this machine.
  fs::path unix_path(std::string windows) const {
    std::replace(windows.begin(), windows.end(), '\\', '/');
    return prefix() / "drive_c" / windows.substr(3);
  }

 private:
  fs::path home() const { return root_.path() / "home"; }
  fs::path prefix() const { return home() / "wine"; }
  TempFolder root_{"orvanth-wine-user"};
  std::string runner_;
  bool made_ = false;
};

TEST_F(WineSettings, AReadOnlyProgramFolderIsReadAndTheSaveGoesToTheUsersFile) {
  ReadOnlyDrive drive;
  ASSERT_TRUE(drive.made());
  // What stands beside the program is read while there is no user's file.
  const std::string beside = settings_image(" 1", " 0", "");
  fs::permissions(drive.folder(), static_cast<fs::perms>(0755));
  write_settings_file(drive.folder() / "Orvanth.ini", beside);
  fs::permissions(drive.folder(), static_cast<fs::perms>(0555));
  EXPECT_EQ(drive.run({"read"}), (std::vector<std::string>{"R:\\Orvanth.ini", "1|0|"}));

  const std::vector<std::string> saved = drive.run({"save", "2", "1", "C:\\windows\\win.ini"});
  ASSERT_EQ(saved.size(), 1U);
  const std::string& user = saved[0];
  EXPECT_EQ(user.rfind("C:\\users\\", 0), 0U) << user;
  EXPECT_NE(user.find("\\AppData\\Roaming\\Orvanth\\Orvanth.ini"), std::string::npos) << user;
  EXPECT_TRUE(fs::exists(drive.unix_path(user))) << user;
  // From now on the user's file is the one read; the program's is as it was.
  EXPECT_EQ(drive.run({"read"}), (std::vector<std::string>{user, "2|1|C:\\windows\\win.ini"}));
  EXPECT_EQ(file_bytes(drive.folder() / "Orvanth.ini"), beside);
}

}  // namespace
}  // namespace orvanth::test

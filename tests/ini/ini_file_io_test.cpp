// The profile functions on real files, and an independent reader's view.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "common/profile_file.h"
#include "saver/settings_file.h"

namespace {

namespace fs = std::filesystem;
using orvanth::ini::get_profile_string;
using orvanth::ini::write_profile_string;

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "orvanth-ini.XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    path_ = (folder_ / "Orvanth.ini").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string contents() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

  fs::path folder_;
  std::string path_;
};

const std::string kType{orvanth::kKeyBgmType};
const std::string kRepeat{orvanth::kKeyBgmRepeat};
const std::string kFile{orvanth::kKeyBgmFile};

TEST_F(IniFile, MissingFileReadsAsTheDefaultAndFirstWriteCreatesIt) {
  EXPECT_EQ(get_profile_string("Section", kType, "", 256, path_), "");
  ASSERT_TRUE(write_profile_string("Section", kType, " 2", path_));
  EXPECT_EQ(contents(), "[Section]\r\n" + kType + "= 2\r\n");
  EXPECT_EQ(get_profile_string("Section", kType, "", 256, path_), "2");
  // Only the settings file is left in the folder: no temporary behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(IniFile, RewriteKeepsOtherLinesAndTheFilesMode) {
  put("# mine\n[Section]\n" + kType + "= 1\nextra=keep\n");
  ::chmod(path_.c_str(), 0600);
  ASSERT_TRUE(write_profile_string("Section", kType, " 2", path_));
  EXPECT_EQ(contents(), "# mine\n[Section]\n" + kType + "= 2\nextra=keep\n");
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600U);
}

TEST_F(IniFile, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  const std::string nowhere = (folder_ / "absent" / "Orvanth.ini").string();
  EXPECT_FALSE(write_profile_string("Section", kType, " 2", nowhere));
  EXPECT_FALSE(fs::exists(folder_ / "absent"));
}

TEST_F(IniFile, AValueWithALineBreakIsRefusedAndTheFileKept) {
  put("[Section]\r\n" + kType + "= 1\r\n");
  EXPECT_FALSE(write_profile_string("Section", kFile, "/x\n" + kType + "= 2", path_));
  EXPECT_EQ(contents(), "[Section]\r\n" + kType + "= 1\r\n");
}

// Whatever stands at the settings path that is not a readable regular file
// reads as missing, at once (a FIFO without a writer included), and is never
// written over.
TEST_F(IniFile, OddFilesReadAsMissingWithoutBlockingAndAreNeverWritten) {
  const std::string image = "[Section]\r\n" + kType + "= 2\r\n";
  const std::function<void()> make[] = {
      [&] { fs::create_directory(path_); },
      [&] { ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0); },
      [&] { fs::create_symlink(folder_ / "nowhere.ini", path_); },
      [&] { put(image), ::chmod(path_.c_str(), 0444); },
  };
  for (std::size_t i = 0; i < std::size(make); ++i) {
    fs::remove_all(path_);
    make[i]();
    const auto before = fs::symlink_status(path_).type();
    EXPECT_EQ(get_profile_string("Section", kType, "", 256, path_), i == 3 ? "2" : "") << i;
    EXPECT_FALSE(orvanth::ini::profile_writable(path_)) << i;
    EXPECT_FALSE(write_profile_string("Section", kType, " 1", path_)) << i;
    EXPECT_EQ(fs::symlink_status(path_).type(), before) << i;
    EXPECT_FALSE(fs::exists(folder_ / "nowhere.ini")) << i;
  }
  EXPECT_EQ(contents(), image);  // the read-only one
}

TEST_F(IniFile, ASymlinkedFileIsUpdatedInItsTargetWhichKeepsItsMode) {
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directory(elsewhere);
  const fs::path target = elsewhere / "real.ini";
  std::ofstream(target, std::ios::binary) << "[Section]\r\n" << kType << "= 1\r\n";
  ::chmod(target.c_str(), 0640);
  fs::create_symlink("elsewhere/real.ini", path_);  // relative, as users make them
  ASSERT_TRUE(write_profile_string("Section", kType, " 2", path_));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(contents(), "[Section]\r\n" + kType + "= 2\r\n");
  EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
}

TEST_F(IniFile, PythonsConfigparserReadsOurFileAlike) {
  ASSERT_TRUE(write_profile_string("Section", kType, " 2", path_));
  ASSERT_TRUE(write_profile_string("Section", kRepeat, " 0", path_));
  ASSERT_TRUE(write_profile_string("Section", kFile, "/music/song.mp3", path_));
  const std::string script = (folder_ / "read.py").string();
  std::ofstream(script)
      << "import configparser, sys\n"
         "c = configparser.ConfigParser()\n"
         "c.optionxform = str\n"
         "c.read(sys.argv[1], encoding='cp932')\n"
         "s = c['Section']\n"
         "for k in ('BGM\\u533a\\u5206', 'BGM\\uff98\\uff8b\\uff9f\\uff70\\uff84',"
         " 'BGM\\uff8c\\uff67\\uff72\\uff99'):\n"
         "    print(s[k])\n";
  const std::string command = "python3 " + script + " " + path_;
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
    out += buffer;
  }
  ASSERT_EQ(::pclose(pipe), 0) << out;
  EXPECT_EQ(out, "2\n0\n/music/song.mp3\n");
}

}  // namespace

// The profile functions on real files, and an independent reader's view.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ini/ini_file.h"

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

const std::string kType = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

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

TEST_F(IniFile, PythonsConfigparserReadsOurFileAlike) {
  ASSERT_TRUE(write_profile_string("Section", kType, " 2", path_));
  ASSERT_TRUE(write_profile_string("Section", kRepeat, " 0", path_));
  ASSERT_TRUE(write_profile_string("Section", kFile, "/music/song.mp3", path_));
  const std::string script = (folder_ / "read.py").string();
  std::ofstream(script) << "import configparser, sys\n"
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

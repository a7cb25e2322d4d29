// Orvanth.scr of the Windows build under Wine: the single-instance guard on
// Win32 window titles, and the switches Windows itself passes (/s, /c,
// /c:<window>, /p <window>, /a <window>).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/settings_image.h"
#include "tests/support/wine_shell.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
constexpr auto kLong = 60000ms;

class WineStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    wine::forget_user_files();
    write_settings_file(shell_folder_.settings(), settings_image(" 0", " 0", ""));
  }
  // Starts the shell and expects it to end by itself with status 0, having
  // shown nothing; whether it read the settings file.
  bool ends_at_once(const std::vector<std::string>& args) {
    XClient watcher;
    OpenWatch watch(shell_folder_.folder());
    wine::Program shell(shell_folder_.program(), args);
    EXPECT_TRUE(shell.ends_within(kLong)) << "still running: " << testing::PrintToString(args);
    EXPECT_EQ(shell.exit_code(), 0) << testing::PrintToString(args);
    XSync(watcher.display(), False);
    EXPECT_FALSE(watcher.foreign_window_mapped()) << testing::PrintToString(args);
    return watch.touched("Orvanth.ini");
  }
  wine::ShellFolder shell_folder_;
};

TEST_F(WineStartup, WhileAGuardWindowIsUpEveryStartEndsAtOnceWithoutReading) {
  wine::HostWindow pane("pane", 152, 112);
  {
    wine::HostWindow renderer("Lumevar_Delphi", 50, 50);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"/s"}, {"/c"}, {"/p", pane.handle()}, {}}) {
      EXPECT_FALSE(ends_at_once(args)) << "read the settings: " << testing::PrintToString(args);
    }
    EXPECT_NE(wine::probe({"child", "pane"}), 0) << "a preview came up";
  }
  for (const char* title : {"Lumevar_Main", "<Orvanth>"}) {
    wine::HostWindow guard(title, 50, 50);
    EXPECT_FALSE(ends_at_once({"/s"})) << title;
  }
  EXPECT_FALSE(fs::exists(wine::textures()));
}

TEST_F(WineStartup, PasswordAndUnknownSwitchesEndAtOnceAfterReadingTheSettings) {
  wine::HostWindow owner("owner", 100, 100);
  for (const auto& args : std::vector<std::vector<std::string>>{{"/a", owner.handle()}, {"s"}}) {
    EXPECT_TRUE(ends_at_once(args))
        << "did not read the settings: " << testing::PrintToString(args);
  }
  EXPECT_FALSE(fs::exists(wine::textures()));
}

// The settings dialog, with or without the window that Windows names after
// the colon: it comes up without an owner, and its closing ends the program.
TEST_F(WineStartup, SwitchCWithOrWithoutAWindowShowsTheDialog) {
  XClient x;
  wine::HostWindow owner("owner", 100, 100);
  for (const std::string& line : {std::string("/c"), "/c:" + owner.handle()}) {
    wine::Program shell(shell_folder_.program(), {line});
    ASSERT_TRUE(wait_for([&] { return find_window(x.display(), "<Quillon>") != 0; }, kLong))
        << line;
    ASSERT_EQ(wine::probe({"close", "<Quillon>"}), 0);
    EXPECT_TRUE(shell.ends_within(kLong)) << line;
    EXPECT_EQ(shell.exit_code(), 0);
  }
}

}  // namespace
}  // namespace orvanth::test

// Orvanth.scr /p of the Windows build under Wine, in a preview pane of the
// Win32 probe: the preview form becomes the pane's child over its client
// area and ends when the pane is destroyed; without a pane it ends at once.
// Wine draws no child window of another process, so what the form paints is
// checked in a host of its own process (preview_win32_test).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/settings_image.h"
#include "tests/support/wine_shell.h"

namespace orvanth::test {
namespace {

using namespace std::chrono_literals;
constexpr auto kLong = 60000ms;

class WinePreview : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    wine::forget_user_files();
  }
  // The pane's child as the probe prints it, once it is as expected or the
  // wait is over: the form is reparented, placed and shown in three steps.
  static std::string child_of(const std::string& pane, const std::string& expected) {
    std::string line;
    wait_for(
        [&] {
          std::string out;
          line = wine::probe({"child", pane}, &out) == 0 ? out.substr(0, out.find_first_of("\r\n"))
                                                         : "";
          return line == expected;
        },
        kLong);
    return line;
  }
  wine::ShellFolder shell_folder_;
};

// As Windows starts a preview ("/p 1234") and as some hosts do ("/p:1234").
TEST_F(WinePreview, BecomesThePanesChildAndEndsWithinASecondOfItsEnd) {
  write_settings_file(shell_folder_.settings(), "[Section]\r\n");
  OpenWatch watch(shell_folder_.folder());
  for (const bool colon : {false, true}) {
    SCOPED_TRACE(colon);
    wine::HostWindow pane("pane", 152, 112);
    ASSERT_FALSE(pane.handle().empty());
    const std::vector<std::string> args = colon ? std::vector<std::string>{"/p:" + pane.handle()}
                                                : std::vector<std::string>{"/p", pane.handle()};
    wine::Program shell(shell_folder_.program(), args);
    constexpr auto kShown = "Lumevar_R|Preview Window|0 0 152 112|child visible";
    EXPECT_EQ(child_of("pane", kShown), kShown);
    EXPECT_FALSE(shell.ended());
    ASSERT_TRUE(pane.destroy());
    EXPECT_TRUE(shell.ends_within(1s)) << "still running a second after its pane went";
    EXPECT_EQ(shell.exit_code(), 0);
  }
  // The preview reads no settings and writes no textures.
  EXPECT_FALSE(watch.touched("Orvanth.ini"));
  EXPECT_FALSE(std::filesystem::exists(wine::textures()));
}

TEST_F(WinePreview, ALargerPaneIsFilledWhole) {
  wine::HostWindow pane("pane", 304, 200);
  wine::Program shell(shell_folder_.program(), {"/p", pane.handle()});
  constexpr auto kShown = "Lumevar_R|Preview Window|0 0 304 200|child visible";
  EXPECT_EQ(child_of("pane", kShown), kShown);
  ASSERT_TRUE(pane.destroy());
  EXPECT_TRUE(shell.ends_within(kLong));
}

// The desktop is no pane either: the form would cover the screen for good.
TEST_F(WinePreview, NoNumberNoSuchWindowOrTheDesktopEndsAtOnce) {
  std::string desktop;
  ASSERT_EQ(wine::probe({"desktop"}, &desktop), 0);
  desktop = desktop.substr(0, desktop.find_first_of("\r\n"));
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/p"}, {"/p", "999999"}, {"/p1234"}, {"/p", desktop}, {"/p:" + desktop}}) {
    wine::Program shell(shell_folder_.program(), args);
    ASSERT_TRUE(shell.ends_within(kLong)) << testing::PrintToString(args);
    EXPECT_EQ(shell.exit_code(), 0);
  }
}

}  // namespace
}  // namespace orvanth::test

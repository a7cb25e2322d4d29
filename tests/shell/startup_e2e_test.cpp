// Orvanth.scr started on the test X server: guard, dispatch, settings reads.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/shell_run.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Starts the shell, expects it to end at once by itself with status 0 and
// without any window of its own having been mapped.
void expect_ends_at_once(const ShellInstall& install, const std::vector<std::string>& args) {
  XClient watcher;
  ShellProcess shell(install, args);
  ASSERT_TRUE(shell.started());
  ASSERT_TRUE(shell.ends_within(10s)) << "still running: " << testing::PrintToString(args);
  EXPECT_EQ(shell.exit_code(), 0) << testing::PrintToString(args);
  XSync(watcher.display(), False);
  EXPECT_FALSE(watcher.foreign_window_mapped()) << testing::PrintToString(args);
}

TEST(StartupE2e, WhileTheRendererRunsEveryStartEndsAtOnceWithoutReading) {
  ShellInstall install;
  write_settings(install, 0, 0, "");
  XClient host;
  const Window renderer = host.make_window("Lumevar_Delphi", 200, 150);
  const Window preview_host = host.make_window("host", 152, 112);
  const std::vector<std::vector<std::string>> lines = {
      {"/c"}, {"/s"}, {"/p", "1"}, {"/p", std::to_string(preview_host)}, {}};
  for (const auto& args : lines) {
    OpenWatch watch(install.folder());
    expect_ends_at_once(install, args);
    EXPECT_FALSE(watch.touched("Orvanth.ini")) << testing::PrintToString(args);
  }
  EXPECT_TRUE(host.children(preview_host).empty());
  host.destroy(renderer);
}

TEST(StartupE2e, TheOtherGuardTitlesStopAStartToo) {
  ShellInstall install;
  for (const char* title : {"Lumevar_Main", "<Orvanth>"}) {
    XClient host;
    host.make_window(title, 50, 50);
    write_settings(install, 0, 0, "");
    OpenWatch watch(install.folder());
    expect_ends_at_once(install, {"/s"});
    EXPECT_FALSE(watch.touched("Orvanth.ini")) << title;
  }
}

TEST(StartupE2e, UnknownSwitchesEndAtOnceAfterReadingTheSettings) {
  ShellInstall install;
  write_settings(install, 0, 0, "");
  for (const auto& args : std::vector<std::vector<std::string>>{{"/a"}, {"s"}, {"-x", "/s"}}) {
    OpenWatch watch(install.folder());
    expect_ends_at_once(install, args);
    EXPECT_TRUE(watch.touched("Orvanth.ini")) << testing::PrintToString(args);
  }
  EXPECT_FALSE(fs::exists(install.cache() / "orvanth"));
}

// /c and /s read the settings before their forms load; the test stops the
// shell once the read has been seen, whatever the form would go on to do.
TEST(StartupE2e, DialogAndRunReadTheSettingsAndThePreviewDoesNot) {
  ShellInstall install(false);
  write_settings(install, 0, 0, "");
  for (const char* mode : {"/c", "/S", "-s"}) {
    OpenWatch watch(install.folder());
    ShellProcess shell(install, {mode});
    EXPECT_TRUE(wait_for([&] { return watch.touched("Orvanth.ini"); })) << mode;
    shell.kill();
  }
  OpenWatch watch(install.folder());
  ShellProcess preview(install, {"/p"});
  ASSERT_TRUE(preview.ends_within(10s));
  EXPECT_FALSE(watch.touched("Orvanth.ini"));
}

TEST(StartupE2e, WithoutADisplayItSaysSoAndWritesNothing) {
  ShellInstall install;
  const auto before = std::distance(fs::directory_iterator(install.folder()), {});
  ShellProcess shell(install, {"/c"}, false);
  ASSERT_TRUE(shell.ends_within(10s));
  EXPECT_NE(shell.exit_code(), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(install.folder()), {}), before);
  EXPECT_FALSE(fs::exists(install.config() / "orvanth"));
}

}  // namespace
}  // namespace orvanth::test

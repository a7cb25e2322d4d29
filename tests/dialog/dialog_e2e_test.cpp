// Orvanth.scr /c on the test X server: the dialog's window, "設定" clicked
// with the mouse, and the system's close request.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/files.h"
#include "tests/support/settings_image.h"
#include "tests/support/shell_run.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DialogE2e : public ::testing::Test {
 protected:
  // Starts the dialog and waits until its window is on screen.
  void open_dialog() {
    shell_ = std::make_unique<ShellProcess>(install_, std::vector<std::string>{"/c"});
    ASSERT_TRUE(shell_->started());
    ASSERT_TRUE(wait_for([&] { return (window_ = find_window(x_.display(), "<Quillon>")) != 0; }))
        << "the dialog did not appear";
  }

  XWindowAttributes attributes() const {
    XWindowAttributes a{};
    XGetWindowAttributes(x_.display(), window_, &a);
    return a;
  }

  ShellInstall install_;
  XClient x_;
  std::unique_ptr<ShellProcess> shell_;
  Window window_ = 0;
};

TEST_F(DialogE2e, OpensCentredAcrossAThirdDownAtTheDesignSize) {
  open_dialog();
  const XWindowAttributes a = attributes();
  EXPECT_EQ(a.width, 479);
  EXPECT_EQ(a.height, 252);
  const int screen_w = DisplayWidth(x_.display(), DefaultScreen(x_.display()));
  const int screen_h = DisplayHeight(x_.display(), DefaultScreen(x_.display()));
  // Integer twips first, as the form computes them.
  EXPECT_EQ(a.x,
            std::lround(((screen_w * 15 - 7185) / 2) / 15.0));  // NOLINT(bugprone-integer-division)
  EXPECT_EQ(a.y,
            std::lround(((screen_h * 15 - 3780) / 3) / 15.0));  // NOLINT(bugprone-integer-division)
  if (screen_w == 1280 && screen_h == 1024) {
    EXPECT_EQ(a.x, 400);
    EXPECT_EQ(a.y, 257);
  }
  EXPECT_FALSE(shell_->ended());
}

TEST_F(DialogE2e, ClickingSetWithTheMouseSavesAndEndsTheProgram) {
  write_settings_file(install_.settings(), settings_image(" 1", " 7", ""));
  open_dialog();
  const XWindowAttributes a = attributes();
  // The middle of "設定" (4800, 3000, 1095 x 375 twips).
  const int x = a.x + 320 + 36;
  const int y = a.y + 200 + 12;
  ASSERT_TRUE(click_at(x, y));
  ASSERT_TRUE(shell_->ends_within(10s));
  EXPECT_EQ(shell_->exit_code(), 0);
  EXPECT_EQ(file_bytes(install_.settings()), settings_image(" 1", " 7", ""));
}

TEST_F(DialogE2e, TheSystemsCloseRequestEndsTheProgramWithoutSaving) {
  open_dialog();
  send_close_request(x_.display(), window_);
  ASSERT_TRUE(shell_->ends_within(10s));
  EXPECT_EQ(shell_->exit_code(), 0);
  EXPECT_FALSE(fs::exists(install_.settings()));
  EXPECT_FALSE(fs::exists(install_.config() / "orvanth"));
}

// An ordinary user (root ignores file modes) with the program in a folder
// they cannot write: whatever stands beside the program, a save through the
// dialog is what the next start reads, and a read-only file stays as it was.
class OrdinaryUserE2e : public ::testing::Test {
 protected:
  // Clicks at a point of the dialog given in pixels of its client area.
  static void click_in(Display* dpy, Window w, int x, int y) {
    XWindowAttributes a{};
    XGetWindowAttributes(dpy, w, &a);
    ASSERT_TRUE(click_at(a.x + x, a.y + y));
  }

  static std::unique_ptr<Process> start_as_nobody(const ShellInstall& install,
                                                  const std::string& mode,
                                                  const EnvironmentChanges& changes = {},
                                                  const fs::path& stderr_file = {}) {
    EnvironmentChanges env = install.environment();
    env["HOME"] = install.config().string();
    for (const auto& [name, value] : changes) {
      env[name] = value;
    }
    return std::make_unique<Process>(
        "/usr/bin/setpriv",
        std::vector<std::string>{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                 install.program().string(), mode},
        env, stderr_file);
  }

  // A program folder that nobody may read but not write, with their own
  // user folders.
  static void hand_to_nobody(const ShellInstall& install) {
    fs::permissions(install.folder().parent_path(), static_cast<fs::perms>(0755));
    fs::permissions(install.folder(), static_cast<fs::perms>(0755));
    ASSERT_EQ(std::system(("chown -R nobody:nogroup '" + install.config().string() + "' '" +
                           install.cache().string() + "'")
                              .c_str()),
              0);
  }

  // /c as nobody: optionally chooses "音楽CD", then clicks "設定".
  void save_as_nobody(const ShellInstall& install, bool choose_cd) {
    const auto shell = start_as_nobody(install, "/c");
    ASSERT_TRUE(shell->started());
    Window w = 0;
    ASSERT_TRUE(wait_for([&] { return (w = find_window(x_.display(), "<Quillon>")) != 0; }))
        << "the dialog did not appear";
    if (choose_cd) {
      click_in(x_.display(), w, 12 + 20 + 6, 16 + 56 + 6);  // Img_BGM (1)
    }
    click_in(x_.display(), w, 320 + 36, 200 + 12);  // "設定"
    ASSERT_TRUE(shell->ends_within(20s));
    EXPECT_EQ(shell->exit_code(), 0);
  }

  XClient x_;
};

TEST_F(OrdinaryUserE2e, ASaveIsWhatTheNextStartReadsAndReadOnlyFilesStay) {
  const std::string old_image = settings_image(" 0", " 0", "");
  const std::string new_image = settings_image(" 1", " 0", "");
  enum class Beside { kNothing, kWritable, kReadOnly, kSymlink };
  for (const Beside beside :
       {Beside::kNothing, Beside::kWritable, Beside::kReadOnly, Beside::kSymlink}) {
    ShellInstall install(false);
    const fs::path root = install.folder().parent_path();
    hand_to_nobody(install);
    const fs::path elsewhere = root / "elsewhere" / "real.ini";
    if (beside == Beside::kWritable || beside == Beside::kReadOnly) {
      write_settings_file(install.settings(), old_image);
      ASSERT_EQ(std::system(("chown nobody '" + install.settings().string() + "'").c_str()), 0);
      fs::permissions(install.settings(),
                      static_cast<fs::perms>(beside == Beside::kReadOnly ? 0444 : 0644));
    } else if (beside == Beside::kSymlink) {
      fs::create_directory(elsewhere.parent_path());
      write_settings_file(elsewhere, old_image);
      ASSERT_EQ(std::system(
                    ("chown -R nobody:nogroup '" + elsewhere.parent_path().string() + "'").c_str()),
                0);
      fs::create_symlink(elsewhere, install.settings());
    }
    save_as_nobody(install, true);
    save_as_nobody(install, false);  // saves what it read: the CD choice again
    const fs::path user = install.config() / "orvanth" / "Orvanth.ini";
    const int at = static_cast<int>(beside);
    if (beside == Beside::kSymlink) {
      EXPECT_EQ(file_bytes(elsewhere), new_image);
      EXPECT_TRUE(fs::is_symlink(install.settings()));
      EXPECT_FALSE(fs::exists(user));
    } else {
      EXPECT_EQ(file_bytes(user), new_image) << at;
      EXPECT_EQ(file_bytes(install.settings()), beside == Beside::kNothing ? "" : old_image) << at;
    }
  }
}

// Nowhere to save (program folder and user folders not theirs, no home at
// all, a home that does not exist): "設定" says so naming the places tried,
// the dialog stays for a cancel, and no file appears anywhere.
TEST_F(OrdinaryUserE2e, ASaveWithNowhereWritableShowsTheMessageAndLeavesNoFile) {
  const EnvironmentChanges homes[] = {
      {},
      {{"HOME", std::nullopt}, {"XDG_CONFIG_HOME", std::nullopt}},
      {{"HOME", "/nonexistent/home"}, {"XDG_CONFIG_HOME", std::nullopt}},
  };
  for (std::size_t i = 0; i < std::size(homes); ++i) {
    ShellInstall install(false);
    fs::permissions(install.folder().parent_path(), static_cast<fs::perms>(0755));
    fs::permissions(install.folder(), static_cast<fs::perms>(0755));
    fs::create_directories(install.config());
    const fs::path err = install.folder().parent_path() / "dialog.err";
    const auto shell = start_as_nobody(install, "/c", homes[i], err);
    Window w = 0;
    ASSERT_TRUE(wait_for([&] { return (w = find_window(x_.display(), "<Quillon>")) != 0; })) << i;
    click_in(x_.display(), w, 320 + 36, 200 + 12);  // "設定"
    Window box = 0;
    ASSERT_TRUE(wait_for([&] { return (box = find_window(x_.display(), "設定の保存")) != 0; }))
        << i << file_bytes(err);
    const std::string said = file_bytes(err);
    EXPECT_NE(said.find(install.settings().string()), std::string::npos) << i << said;
    EXPECT_NE(said.find("orvanth/Orvanth.ini"), std::string::npos) << i << said;
    send_close_request(x_.display(), box);
    ASSERT_TRUE(wait_for([&] { return find_window(x_.display(), "設定の保存") == 0; })) << i;
    EXPECT_FALSE(shell->ends_within(500ms)) << i << ": the dialog closed with the choice lost";
    send_close_request(x_.display(), w);
    ASSERT_TRUE(shell->ends_within(20s)) << i;
    EXPECT_FALSE(fs::exists(install.settings())) << i;
    EXPECT_FALSE(fs::exists(install.config() / "orvanth")) << i;
  }
}

// A settings file that is a folder, a FIFO, a dangling link or unreadable
// reads as missing: /a ends at once, /s runs, /c shows no music (and saves
// that to the user's file); nothing is written over it.
TEST_F(OrdinaryUserE2e, UnreadableOrOddSettingsFilesReadAsMissing) {
  const std::function<void(const fs::path&)> make[] = {
      [](const fs::path& p) { fs::create_directory(p); },
      [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); },
      [](const fs::path& p) { fs::create_symlink(p.parent_path() / "gone.ini", p); },
      [](const fs::path& p) {
        write_settings_file(p, settings_image(" 1", " 3", ""));
        fs::permissions(p, static_cast<fs::perms>(0600));  // root's: unreadable to them
      },
  };
  for (std::size_t i = 0; i < std::size(make); ++i) {
    ShellInstall install(false);
    hand_to_nobody(install);
    make[i](install.settings());
    const auto kind = fs::symlink_status(install.settings()).type();
    const auto quick = start_as_nobody(install, "/a");
    ASSERT_TRUE(quick->ends_within(10s)) << i;
    EXPECT_EQ(quick->exit_code(), 0) << i;
    const auto run = start_as_nobody(install, "/s");
    EXPECT_TRUE(wait_for([&] { return fs::exists(install.cache() / "orvanth" / "Orvanth06.bmp"); }))
        << i;
    EXPECT_FALSE(run->ended()) << i;
    run->kill();
    save_as_nobody(install, false);
    EXPECT_EQ(file_bytes(install.config() / "orvanth" / "Orvanth.ini"),
              settings_image(" 0", " 0", ""))
        << i;
    EXPECT_EQ(fs::symlink_status(install.settings()).type(), kind) << i;
  }
}

}  // namespace
}  // namespace orvanth::test

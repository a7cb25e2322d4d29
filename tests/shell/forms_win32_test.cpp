// The forms layer's Win32 backend under Wine: files as the runtime opens
// them, the profile functions' rules for writing, timers and end requests
// through the message loop, and windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "saver/forms/end_signals.h"
#include "saver/forms/files.h"
#include "saver/forms/impl_win32/program_window.h"
#include "saver/forms/profile.h"
#include "saver/forms/timer.h"
#include "saver/forms/window.h"
#include "saver/settings_file.h"
#include "tests/shell/win32/message_pump.h"

namespace {

namespace fs = std::filesystem;
using namespace orvanth::forms;
using Clock = std::chrono::steady_clock;
using orvanth::test::pump_until;

class Win32Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("orvanth-forms-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder_);
  }
  std::string file(const std::string& name, const std::string& bytes) const {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  static void pump_for(std::chrono::milliseconds span) {
    const auto end = Clock::now() + span;
    pump_until([&] { return Clock::now() >= end; }, span * 2);
  }

  fs::path folder_;
};

TEST_F(Win32Forms, OpeningForReadingSkipsFoldersAbsenteesAndLockedFiles) {
  const std::string song = file("song.mp3", "ID3");
  EXPECT_TRUE(opens_for_reading(song));
  EXPECT_FALSE(opens_for_reading(folder_.string()));
  EXPECT_FALSE(opens_for_reading((folder_ / "absent.mp3").string()));
  {
    const HANDLE held =
        CreateFileA(song.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(opens_for_reading(song)) << "a file another holds exclusively counts as locked";
    CloseHandle(held);
  }
  EXPECT_TRUE(path_exists(song));
  EXPECT_TRUE(delete_file(song));
  EXPECT_FALSE(path_exists(song));
  EXPECT_FALSE(delete_file(song));
}

TEST_F(Win32Forms, ReadOnlyFilesAndFoldersAreNeverWrittenOver) {
  const std::string absent = (folder_ / "Orvanth.ini").string();
  EXPECT_TRUE(profile_writable(absent));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 0) << "the test left a file";
  const std::string plain = file("plain.ini", "[Section]\r\n");
  EXPECT_TRUE(profile_writable(plain));
  EXPECT_FALSE(profile_writable(folder_.string()));

  const std::string locked = file("locked.ini", "[Section]\r\nkey=old\r\n");
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(profile_writable(locked));
  WriteIni(orvanth::kSettingsSection, "key", "new", locked);
  std::ifstream in(locked, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Section]\r\nkey=old\r\n");
  EXPECT_EQ(ReadIni(orvanth::kSettingsSection, "key", locked), "old");
}

TEST_F(Win32Forms, AFileChoiceIsKeptWhenTheSystemReadsItBackAsItWas) {
  const struct {
    const char* value;
    bool kept;
  } cases[] = {{"C:\\Music\\a b.mp3", true}, {" C:\\a.mp3", false},   {"C:\\a.mp3 ", false},
               {"\"C:\\a.mp3\"", false},     {"C:\\a\nb.mp3", false}, {"", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(profile_keeps(orvanth::kSettingsSection, orvanth::kKeyBgmFile, c.value), c.kept)
        << c.value;
  }
}

TEST_F(Win32Forms, TimersTickThroughTheLoopOnlyWhileEnabled) {
  Timer timer;
  timer.set_interval(30);
  int ticks = 0;
  timer.on_tick([] { ADD_FAILURE() << "a replaced handler ran"; });
  timer.on_tick([&] {
    if (++ticks == 3) {
      timer.set_enabled(false);
    }
  });
  pump_for(std::chrono::milliseconds(100));
  EXPECT_EQ(ticks, 0) << "ticked before it was enabled";
  timer.set_enabled(true);
  ASSERT_TRUE(pump_until([&] { return !timer.enabled(); }));
  pump_for(std::chrono::milliseconds(150));
  EXPECT_EQ(ticks, 3);

  // An interval of none never ticks; a tick queued before the stop is dropped.
  Timer idle;
  idle.on_tick([] { ADD_FAILURE() << "an interval of 0 ticked"; });
  idle.set_enabled(true);
  Timer stopped;
  stopped.set_interval(10);
  stopped.on_tick([] { ADD_FAILURE() << "a stopped timer ticked"; });
  stopped.set_enabled(true);
  Sleep(50);
  stopped.set_enabled(false);
  pump_for(std::chrono::milliseconds(100));
}

TEST_F(Win32Forms, EndRequestsRunFromTheLoopAfterTheirMessageIsAnswered) {
  int ends = 0;
  ASSERT_TRUE(watch_end_signals([&] { ++ends; }));
  // This process's own window: tests beside this one have theirs, titled alike.
  const HWND program = orvanth::forms::win32::program_window();
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(SendMessageA(program, WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(ends, 0) << "ran inside the system's request";
  ASSERT_TRUE(pump_until([&] { return ends == 1; }));
  PostMessageA(program, WM_CLOSE, 0, 0);
  ASSERT_TRUE(pump_until([&] { return ends == 2; }));
  EXPECT_TRUE(IsWindow(program)) << "a close request took the timers' window";
  SendMessageA(program, WM_ENDSESSION, FALSE, 0);  // the session goes on
  pump_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ends, 2);
  // The session ends: the system may end the process once this returns.
  SendMessageA(program, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ends, 3);
  watch_end_signals(nullptr);
}

TEST_F(Win32Forms, WindowsAreFoundByTheirExactTitle) {
  // A title of this process alone, as tests run side by side.
  const std::string title = "Lumevar_Main " + std::to_string(GetCurrentProcessId());
  const HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 10, 20, 150, 100,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const WindowHandle found = find_window(title);
  EXPECT_EQ(found, reinterpret_cast<WindowHandle>(window));
  EXPECT_EQ(find_window(title.substr(0, title.size() - 1)), 0U);
  const Rect r = window_rect(found);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 160);
  EXPECT_EQ(r.bottom, 120);
  DestroyWindow(window);
  EXPECT_FALSE(window_exists(found));
  const Rect none = window_rect(found);
  EXPECT_EQ(none.right - none.left, 0);
}

}  // namespace

// Orvanth.scr /s of the Windows build under Wine on the test X and sound
// servers: the seven texture files, the renderer started from the program
// folder with no arguments, the mouse watch ending both programs, the music
// (MP3 and WAV repeating, a CD without a drive silent), and the end when the
// system closes the shell.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/run/run_shell.h"
#include "tests/support/settings_image.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wine_shell.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr milliseconds kLong = seconds(60);
constexpr double kToneHz = 440;
constexpr char kRenderer[] = "Orvanth.data";

class WineRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    ASSERT_TRUE(screen_.open());
    ASSERT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong)) << "a renderer is still up";
    wine::forget_user_files();
  }
  void TearDown() override {
    shell_.reset();
    screen_.window_gone_within("Lumevar_Delphi", kLong);
  }
  void choose_music(int type, const std::string& file) {
    write_settings_file(
        folder_.settings(),
        settings_image(settings_number(type), " 0", file.empty() ? "" : wine::windows_path(file)));
  }
  // Starts the run, with the pointer where the mouse watch begins, and
  // waits for the renderer's first frame.
  void start() {
    screen_.move_pointer(kStartX, kStartY);
    shell_ = std::make_unique<wine::Program>(folder_.program(), std::vector<std::string>{"/s"},
                                             EnvironmentChanges{}, errors_.path() / "stderr");
    ASSERT_TRUE(screen_.window_within("Lumevar_Delphi", kLong))
        << file_bytes(errors_.path() / "stderr");
    ASSERT_TRUE(screen_.first_frame_within(kLong));
  }
  bool both_running(milliseconds span) {
    return !shell_->ends_within(span) && !folder_.processes(kRenderer).empty();
  }
  // 31 pixels each way: both programs end, and nothing of the folder stays.
  void end_with_the_mouse() {
    screen_.move_pointer(kStartX + 31, kStartY + 31);
    expect_both_end();
  }
  void expect_both_end() {
    ASSERT_TRUE(shell_->ends_within(kLong));
    EXPECT_EQ(shell_->exit_code(), 0);
    EXPECT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong));
    EXPECT_TRUE(wait_for([&] { return folder_.processes(kRenderer).empty(); }, kLong));
    EXPECT_TRUE(folder_.processes("Orvanth.scr").empty());
  }

  wine::ShellFolder folder_;
  Screen screen_;
  TempFolder errors_{"orvanth-wine-run"};
  std::unique_ptr<wine::Program> shell_;
};

// A hung renderer (stopped) would keep the screen after the shell's end:
// the run's end terminates it within seconds.
TEST_F(WineRun, AStoppedRendererIsEndedWhenTheMouseEndsTheRun) {
  start();
  const auto renderers = folder_.processes(kRenderer);
  ASSERT_EQ(renderers.size(), 1U);
  for (const pid_t pid : renderers) {
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  }
  ASSERT_TRUE(wait_for([&] { return process_state(renderers[0]) == 'T'; }, kLong));
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  ASSERT_TRUE(shell_->ends_within(seconds(10)));
  EXPECT_EQ(shell_->exit_code(), 0);
  EXPECT_TRUE(wait_for([&] { return folder_.processes(kRenderer).empty(); }, seconds(5)));
  EXPECT_TRUE(screen_.window_gone_within("Lumevar_Delphi", seconds(5)));
}

// Started in the same instant, both pass the title guard; the lock lets one run.
TEST_F(WineRun, TwoRunsStartedAtOnceGiveOneRun) {
  screen_.move_pointer(kStartX, kStartY);
  wine::Program first(folder_.program(), {"/s"});
  wine::Program second(folder_.program(), {"/s"});
  ASSERT_TRUE(screen_.window_within("Lumevar_Delphi", kLong));
  ASSERT_TRUE(wait_for([&] { return first.ended() || second.ended(); }, kLong))
      << "both shells are running";
  wine::Program& running = first.ended() ? second : first;
  EXPECT_FALSE(running.ends_within(milliseconds(500)));
  EXPECT_EQ(folder_.processes(kRenderer).size(), 1U);
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  ASSERT_TRUE(running.ends_within(kLong));
  EXPECT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong));
}

TEST_F(WineRun, TexturesRendererAndTheMouseWatch) {
  start();
  std::set<int> planets;
  for (int n = 0; n <= 6; ++n) {
    const fs::path file = wine::textures() / ("Orvanth0" + std::to_string(n) + ".bmp");
    const auto decoded = decode_with_imagemagick(file);
    ASSERT_TRUE(decoded) << file;
    const int picture = picture_in(*decoded);
    EXPECT_GE(picture, 1) << file << " is no map on grey";
    EXPECT_EQ(fs::file_size(file), picture == 4 ? 54U + 196608U : 54U + 93744U);
    if (n == 0) {
      EXPECT_LE(picture, 7);
    } else {
      planets.insert(picture);
    }
  }
  EXPECT_EQ(planets.size(), 6U);
  // Wine writes the Windows command line over the arguments, NUL-padded.
  const auto renderers = folder_.processes(kRenderer);
  ASSERT_EQ(renderers.size(), 1U);
  std::vector<std::string> line = process_arguments(renderers[0]);
  while (!line.empty() && line.back().empty()) {
    line.pop_back();
  }
  EXPECT_EQ(line, std::vector<std::string>{wine::windows_path(folder_.folder() / kRenderer)});
  screen_.move_pointer(kStartX + 200, kStartY);
  EXPECT_TRUE(both_running(seconds(1)));
  screen_.move_pointer(kStartX + 30, kStartY + 30);
  EXPECT_TRUE(both_running(seconds(1)));
  end_with_the_mouse();
}

// The system closing the shell's window (as at the session's end) ends the
// run, and the renderer with it, in order.
TEST_F(WineRun, ClosingTheShellsWindowEndsTheRendererToo) {
  start();
  ASSERT_EQ(wine::probe({"close", "Orvanth.scr"}), 0);
  expect_both_end();
}

class WineRunMusic : public WineRun {
 protected:
  bool tone_within(milliseconds limit) {
    return wait_for([&] { return is_tone(sink_.now(200), kToneHz); }, limit);
  }
  // The sound after the first tone has come and a whole file's length with
  // a poll period has passed.
  bool tone_again_after(seconds past) {
    if (!tone_within(kLong)) {
      return false;
    }
    const auto heard = steady_clock::now();
    wait_for([&] { return steady_clock::now() - heard > past; }, past * 2);
    return tone_within(seconds(5));
  }
  Fixtures fixtures_;
  SinkCapture sink_;
};

// An MP3 is started again at its end, a WAV loops: both are heard again.
TEST_F(WineRunMusic, AnMp3OrAWavIsHeardAndAgainAfterItsEnd) {
  ASSERT_TRUE(sink_.started());
  for (const bool mp3 : {true, false}) {
    SCOPED_TRACE(mp3 ? "MP3" : "WAV");
    choose_music(2, mp3 ? fixtures_.mp3("short.Mp3", kToneHz, 1.5)
                        : fixtures_.wav("short.WAV", kToneHz, 1.5));
    start();
    EXPECT_TRUE(tone_again_after(seconds(3)));
    end_with_the_mouse();
    EXPECT_TRUE(wait_for([&] { return is_silent(sink_.now(200)); }, seconds(10)));
  }
}

TEST_F(WineRunMusic, TheCdWithoutADriveIsSilentAndTheRunGoesOn) {
  ASSERT_TRUE(sink_.started());
  choose_music(1, "");
  start();
  const std::size_t before = sink_.received();
  ASSERT_TRUE(wait_for([&] { return sink_.received() > before + kCaptureRate * 2; }, kLong));
  EXPECT_TRUE(is_silent(sink_.now(2000)));
  EXPECT_TRUE(both_running(seconds(1)));
  end_with_the_mouse();
}

}  // namespace
}  // namespace orvanth::test

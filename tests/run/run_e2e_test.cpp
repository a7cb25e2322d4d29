// Orvanth.scr /s end to end on the test X server and sound server: texture
// files, renderer, mouse watch, Escape, cursor, music, failures, signals.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <set>

#include "tests/run/run_shell.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr milliseconds kLong = seconds(15);
constexpr double kToneHz = 440;

fs::path texture(const ShellInstall& install, int n) {
  return install.cache() / "orvanth" / ("Orvanth0" + std::to_string(n) + ".bmp");
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(screen_.open());
    // A renderer still up from elsewhere would make every start end at once.
    ASSERT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong));
    screen_.move_pointer(kStartX, kStartY);
  }
  // Starts the run and waits for the renderer's first frame.
  std::unique_ptr<RunShell> start(const std::vector<std::string>& args = {"/s"},
                                  const std::map<std::string, std::string>& env = {}) {
    auto shell = std::make_unique<RunShell>(install_, args, env);
    EXPECT_TRUE(screen_.window_within("Lumevar_Delphi", kLong)) << shell->stderr_text();
    EXPECT_TRUE(screen_.first_frame_within(kLong));
    return shell;
  }
  // A move past 30 pixels on both axes ends the run.
  void end_with_the_mouse(RunShell& shell) {
    screen_.move_pointer(kStartX + 31, kStartY + 31);
    expect_both_end(shell);
  }
  void expect_both_end(RunShell& shell) {
    EXPECT_TRUE(shell.ends_within(seconds(5)));
    EXPECT_EQ(shell.exit_code(), 0);
    EXPECT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong));
    EXPECT_TRUE(shell.renderer_gone_within(kLong));
  }
  ShellInstall install_;
  Screen screen_;
};

std::vector<int> pictures_written(const ShellInstall& install) {
  std::vector<int> out;
  for (int n = 0; n <= 6; ++n) {
    const auto d = decode_with_imagemagick(texture(install, n));
    out.push_back(d ? picture_in(*d) : -1);
  }
  return out;
}

TEST_F(RunTest, WritesSevenMapsAndASecondRunReplacesThem) {
  std::set<int> seen_in_planets;
  for (int round = 0; round < 2; ++round) {
    if (round == 1) {
      for (int n = 0; n <= 6; ++n) {
        std::ofstream(texture(install_, n), std::ios::trunc) << "stale";
      }
    }
    auto shell = start();
    const std::vector<int> pictures = pictures_written(install_);
    EXPECT_GE(pictures[0], 1);
    EXPECT_LE(pictures[0], 7);
    const std::set<int> planets(pictures.begin() + 1, pictures.end());
    EXPECT_EQ(planets.size(), 6U);
    for (std::size_t n = 1; n <= 6; ++n) {
      EXPECT_GE(pictures[n], 1) << "file " << n << " is no map on grey";
      seen_in_planets.insert(pictures[n]);
    }
    for (std::size_t n = 0; n <= 6; ++n) {
      const fs::path file = texture(install_, static_cast<int>(n));
      const auto d = decode_with_imagemagick(file);
      ASSERT_TRUE(d);
      const bool earth = pictures[n] == 4;
      EXPECT_EQ(d->width, earth ? 256 : 252);
      EXPECT_EQ(d->height, earth ? 256 : 124);
      EXPECT_EQ(fs::file_size(file), earth ? 54U + 196608U : 54U + 93744U);
    }
    end_with_the_mouse(*shell);
    screen_.move_pointer(kStartX, kStartY);
  }
  EXPECT_GT(seen_in_planets.size(), 6U) << "two runs drew the very same six pictures";
}

TEST_F(RunTest, RendererStartsWithoutArgumentsAndLeavesNoZombie) {
  auto shell = start();
  const auto renderer = shell->renderer();
  ASSERT_TRUE(renderer);
  EXPECT_EQ(process_arguments(*renderer),
            std::vector<std::string>{(install_.folder() / "Orvanth.data").string()});
  EXPECT_TRUE(xdotool_hold("Escape", [&] { return process_state(*renderer) == '\0'; }))
      << "renderer left as state " << process_state(*renderer);
  EXPECT_FALSE(shell->ended());
}

TEST_F(RunTest, MouseAlongOneAxisKeepsBothRunning) {
  auto shell = start();
  screen_.move_pointer(kStartX + 200, kStartY);
  EXPECT_FALSE(shell->ends_within(seconds(1)));
  EXPECT_NE(screen_.find_window("Lumevar_Delphi"), 0U);
  end_with_the_mouse(*shell);
}

TEST_F(RunTest, ThirtyPixelsEachWayKeepsBothRunningThirtyOneEndsBoth) {
  auto shell = start();
  screen_.move_pointer(kStartX + 30, kStartY + 30);
  EXPECT_FALSE(shell->ends_within(seconds(1)));
  EXPECT_NE(screen_.find_window("Lumevar_Delphi"), 0U);
  screen_.move_pointer(kStartX - 31, kStartY - 31);
  expect_both_end(*shell);
}

// A hung renderer (stopped, as a driver hang leaves it) would keep the
// screen after the shell's end: the run's end ends it within seconds.
TEST_F(RunTest, AStoppedRendererIsEndedWhenTheMouseEndsTheRun) {
  auto shell = start();
  const auto renderer = shell->renderer();
  ASSERT_TRUE(renderer);
  ASSERT_EQ(::kill(*renderer, SIGSTOP), 0);
  ASSERT_TRUE(wait_for([&] { return process_state(*renderer) == 'T'; }, kLong));
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  EXPECT_TRUE(shell->ends_within(seconds(5)));
  EXPECT_EQ(shell->exit_code(), 0);
  EXPECT_TRUE(shell->renderer_gone_within(seconds(3)));
  EXPECT_TRUE(screen_.window_gone_within("Lumevar_Delphi", seconds(3)));
}

// Started in the same instant, both pass the title guard; the lock lets one run.
TEST_F(RunTest, TwoRunsStartedAtOnceGiveOneRun) {
  RunShell first(install_, {"/s"});
  RunShell second(install_, {"/s"});
  ASSERT_TRUE(screen_.window_within("Lumevar_Delphi", kLong));
  ASSERT_TRUE(wait_for([&] { return first.ended() || second.ended(); }, kLong))
      << "both shells are running";
  RunShell& running = first.ended() ? second : first;
  RunShell& refused = first.ended() ? first : second;
  EXPECT_EQ(refused.exit_code(), 0);
  EXPECT_FALSE(running.ends_within(milliseconds(500)));
  EXPECT_EQ(processes_of(install_.renderer()).size(), 1U);
  end_with_the_mouse(running);
}

class MusicRunTest : public RunTest {
 protected:
  Fixtures fixtures_;
  SinkCapture sink_;
  bool tone_within(milliseconds limit) {
    return wait_for([&] { return is_tone(sink_.now(200), kToneHz); }, limit);
  }
  bool silence_within(milliseconds limit) {
    return wait_for([&] { return is_silent(sink_.now(200)); }, limit);
  }
};

TEST_F(MusicRunTest, EscapeEndsOnlyTheRendererAndTheMusicGoesOn) {
  ASSERT_TRUE(sink_.started());
  write_settings(install_, 2, 0, fixtures_.mp3("tone.Mp3", kToneHz, 10));
  auto shell = start();
  ASSERT_TRUE(tone_within(kLong));
  EXPECT_TRUE(xdotool_hold("Escape", [&] { return screen_.find_window("Lumevar_Delphi") == 0; }));
  EXPECT_TRUE(shell->renderer_gone_within(kLong));
  EXPECT_FALSE(shell->ends_within(milliseconds(500)));
  EXPECT_TRUE(tone_within(seconds(2)));
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  EXPECT_TRUE(shell->ends_within(seconds(5)));
  EXPECT_EQ(shell->exit_code(), 0);
  EXPECT_TRUE(silence_within(seconds(5)));
}

TEST_F(MusicRunTest, Mp3KeepsComingAfterTheFilesEnd) {
  ASSERT_TRUE(sink_.started());
  write_settings(install_, 2, 0, fixtures_.mp3("short.Mp3", kToneHz, 1.5));
  auto shell = start();
  ASSERT_TRUE(tone_within(kLong));
  const auto first = std::chrono::steady_clock::now();
  // Past the file's end (and a poll period) the tone must come back.
  ASSERT_TRUE(
      wait_for([&] { return std::chrono::steady_clock::now() - first > seconds(3); }, seconds(5)));
  EXPECT_TRUE(tone_within(seconds(3)));
  end_with_the_mouse(*shell);
}

TEST_F(MusicRunTest, MidiFilePlaysNothing) {
  ASSERT_TRUE(sink_.started());
  const std::string mp3 = fixtures_.mp3("tone.mp3", kToneHz, 5);
  const std::string mid = (fixtures_.dir() / "tone.mid").string();
  fs::copy_file(mp3, mid);  // playable content: only the ending decides
  write_settings(install_, 2, 0, mid);
  auto shell = start();
  const std::size_t before = sink_.received();
  ASSERT_TRUE(wait_for([&] { return sink_.received() > before + kCaptureRate * 2; }, kLong));
  EXPECT_TRUE(is_silent(sink_.now(2000)));
  end_with_the_mouse(*shell);
}

TEST_F(MusicRunTest, NoDiscPlaysNothingAndTheRunStillEnds) {
  ASSERT_TRUE(sink_.started());
  write_settings(install_, 1, 0, "");
  auto shell = start({"/s"}, {{"ORVANTH_CD_DEVICE", (fixtures_.dir() / "no-disc.cue").string()}});
  const std::size_t before = sink_.received();
  ASSERT_TRUE(wait_for([&] { return sink_.received() > before + kCaptureRate; }, kLong));
  EXPECT_TRUE(is_silent(sink_.now(1000)));
  end_with_the_mouse(*shell);
}

TEST_F(MusicRunTest, MissingRendererStillPlaysAndTheMouseEndsTheRun) {
  ASSERT_TRUE(sink_.started());
  fs::remove(install_.folder() / "Orvanth.data");
  write_settings(install_, 2, 0, fixtures_.mp3("tone.MP3", kToneHz, 10));
  RunShell shell(install_, {"/s"});
  ASSERT_TRUE(tone_within(kLong));
  EXPECT_EQ(screen_.find_window("Lumevar_Delphi"), 0U);
  EXPECT_FALSE(shell.ended());
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  EXPECT_TRUE(shell.ends_within(seconds(5)));
  EXPECT_EQ(shell.exit_code(), 0);
  EXPECT_EQ(shell.stderr_text().find("Orvanth"), std::string::npos) << shell.stderr_text();
}

TEST_F(MusicRunTest, SigtermAndSighupEndTheRunWithTheMusicStopped) {
  ASSERT_TRUE(sink_.started());
  const std::string song = fixtures_.mp3("tone.mp3", kToneHz, 10);
  write_settings(install_, 2, 0, song);
  for (const int sig : {SIGTERM, SIGHUP}) {
    // The signal ends the renderer too; a start while one is up would end at once.
    ASSERT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong));
    RunShell shell(install_, {"/s"});
    ASSERT_TRUE(tone_within(kLong));
    shell.signal(sig);
    EXPECT_TRUE(shell.ends_within(seconds(5)));
    EXPECT_TRUE(shell.exited_normally())
        << "died of signal " << sig << " instead of ending the run";
    EXPECT_EQ(shell.exit_code(), 0);
    EXPECT_TRUE(silence_within(seconds(5)));
  }
}

TEST_F(RunTest, UnwritableTextureFolderEndsOnlyTheRendererWithItsMessage) {
  fs::create_directories(install_.cache());
  std::ofstream(install_.cache() / "orvanth") << "a file where the folder should be";
  // A box left by another program would be taken for this run's.
  ASSERT_TRUE(screen_.window_gone_within("BMP Unit", kLong)) << "another program's box is up";
  RunShell shell(install_, {"/s"});
  ASSERT_TRUE(screen_.window_within("BMP Unit", kLong)) << shell.stderr_text();
  screen_.send_close(screen_.find_window("BMP Unit"));
  ASSERT_TRUE(screen_.window_gone_within("BMP Unit", kLong))
      << "the close request was not answered";
  ASSERT_TRUE(screen_.window_within("Loading Textures", kLong)) << shell.stderr_text();
  screen_.send_close(screen_.find_window("Loading Textures"));
  EXPECT_TRUE(shell.renderer_gone_within(kLong));
  EXPECT_NE(shell.stderr_text().find("Loading Textures: Unable to load"), std::string::npos)
      << shell.stderr_text();
  EXPECT_NE(shell.stderr_text().find("cannot write the texture " + texture(install_, 1).string()),
            std::string::npos)
      << shell.stderr_text();
  EXPECT_FALSE(shell.ends_within(milliseconds(500)));
  screen_.move_pointer(kStartX + 31, kStartY + 31);
  EXPECT_TRUE(shell.ends_within(seconds(5)));
  EXPECT_EQ(shell.exit_code(), 0);
}

// The cursor calls seen through a preload library that records them on their
// way to the X server.
class CursorRunTest : public RunTest {
 protected:
  std::map<std::string, std::string> traced() const {
    return {{"LD_PRELOAD", ORVANTH_CURSOR_TRACE_LIB}, {"ORVANTH_CURSOR_TRACE", trace_.string()}};
  }
  fs::path trace_ = install_.cache() / "cursor.trace";
};

TEST_F(CursorRunTest, SwitchSHidesTheCursorForTheRunAndShowsItAfter) {
  auto shell = start({"/s"}, traced());
  EXPECT_EQ(cursor_calls(trace_, shell->pid()), std::vector<std::string>{"hide"});
  end_with_the_mouse(*shell);
  EXPECT_EQ(cursor_calls(trace_, shell->pid()), (std::vector<std::string>{"hide", "show"}));
}

TEST_F(CursorRunTest, EmptyCommandLineLeavesTheCursorAlone) {
  auto shell = start({}, traced());
  end_with_the_mouse(*shell);
  EXPECT_TRUE(cursor_calls(trace_, shell->pid()).empty());
  // The renderer's own hide and show are traced too, so the trace works.
  std::ifstream in(trace_);
  EXPECT_TRUE(in.good() && in.peek() != std::ifstream::traits_type::eof());
}

}  // namespace
}  // namespace orvanth::test

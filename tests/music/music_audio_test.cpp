// The music module on the real audio path: what reaches the test server's
// null sink is recorded and judged by level and dominant frequency.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "saver/music/media.h"
#include "saver/music/music.h"
#include "saver/shell_state.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wait.h"

using namespace std::chrono_literals;
using orvanth::test::is_silent;
using orvanth::test::is_tone;
using orvanth::test::wait_for;

namespace {

constexpr double kTones[] = {300, 500, 700, 900, 1100};

class MusicAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "needs the test sound server";
    capture_ = std::make_unique<orvanth::test::SinkCapture>();
    ASSERT_TRUE(capture_->started()) << "cannot record the null sink's monitor";
    CdActive = false;
  }
  void TearDown() override {
    StopWav();
    orvanth::music::send_command("close all", nullptr, 0);
  }

  bool hears(double hz, std::chrono::milliseconds limit) {
    return wait_for([&] { return is_tone(capture_->now(), hz); }, limit);
  }
  bool goes_silent(std::chrono::milliseconds limit) {
    return wait_for([&] { return is_silent(capture_->now(150)); }, limit);
  }
  // True when nothing audible arrives during the whole time.
  bool stays_silent(std::chrono::milliseconds time) {
    return !wait_for([&] { return !is_silent(capture_->now()); }, time);
  }

  // Drives the CD poll as the run's Timer2 does: PollCd every 200 ms while
  // the timer is enabled (it takes CdActive after each poll), watching the sink every 20 ms in
  // between; stops when seen() returns true or the time is over. Returns whether seen() held.
  bool tick_cd(std::chrono::milliseconds time, const std::function<bool()>& seen) {
    auto next_tick = std::chrono::steady_clock::now();
    return wait_for(
        [&] {
          if (timer2_enabled_ && std::chrono::steady_clock::now() >= next_tick) {
            PollCd();
            timer2_enabled_ = CdActive;
            next_tick += 200ms;
          }
          return seen();
        },
        time);
  }

  void open_disc(const std::string& cue) {
    setenv("ORVANTH_CD_DEVICE", cue.c_str(), 1);
    OpenCd();
    ASSERT_TRUE(wait_for([] { return MciQuery("status cdaudio mode") != "not ready"; }, 5s));
    ASSERT_EQ(MciQuery("status cdaudio number of tracks"), "5");
  }

  // What the sink and the device show now, for failure messages.
  std::string describe() {
    const auto s = capture_->now();
    return "sink rms " + std::to_string(s.rms) + " at " + std::to_string(s.dominant_hz) +
           " Hz; cd mode " + MciQuery("status cdaudio mode") + ", position " +
           MciQuery("status cdaudio position") + ", reply " + MciReply;
  }

  bool timer2_enabled_ = true;  // enabled after OpenCd, as the run does
  orvanth::test::Fixtures fx_;
  std::unique_ptr<orvanth::test::SinkCapture> capture_;
};

TEST_F(MusicAudio, Mp3PlaysIsRestartedByThePollAfterItsEndAndCloseSilencesIt) {
  BgmFile = fx_.mp3("tone.Mp3", 440, 1.0);
  ASSERT_EQ(orvanth::music::file_kind(BgmFile), orvanth::music::FileKind::kMp3);
  PlayMp3();
  EXPECT_TRUE(IsMp3Playing());
  ASSERT_TRUE(hears(440, 3s));
  ASSERT_TRUE(wait_for([] { return !IsMp3Playing(); }, 5s)) << "the file never ended";
  EXPECT_EQ(MciQuery("status MP3Play mode"), "stopped");
  ASSERT_TRUE(goes_silent(2s));
  PollMp3();
  EXPECT_TRUE(IsMp3Playing());
  EXPECT_TRUE(hears(440, 1s)) << "no restart within a second";
  CloseMp3();
  EXPECT_TRUE(goes_silent(2s));
  EXPECT_FALSE(IsMp3Playing());
  EXPECT_EQ(MciQuery("status MP3Play mode"), "Error:263");
}

TEST_F(MusicAudio, Mp3PollLeavesAPlayingFileAlone) {
  BgmFile = fx_.mp3("long.mp3", 600, 3.0);
  PlayMp3();
  ASSERT_TRUE(hears(600, 3s));
  std::string before = MciQuery("status MP3Play position");
  PollMp3();
  ASSERT_TRUE(wait_for([&] { return MciQuery("status MP3Play position") != before; }, 2s));
  // Had the poll restarted it, the position would be near 0 again.
  EXPECT_GT(std::stol(MciQuery("status MP3Play position")), std::stol(before));
}

TEST_F(MusicAudio, WavLoopsWithoutAPollAndStopWavSilencesIt) {
  BgmFile = fx_.wav("tone.WAV", 660, 0.4);
  ASSERT_GT(orvanth::music::wave_device_count(), 0U);
  const auto start = std::chrono::steady_clock::now();
  PlayWav();
  ASSERT_TRUE(hears(660, 3s));
  // Three times the file's length later it must still sound.
  ASSERT_TRUE(wait_for([&] { return std::chrono::steady_clock::now() - start > 1500ms; }, 3s));
  EXPECT_TRUE(is_tone(capture_->now(), 660));
  StopWav();
  EXPECT_TRUE(goes_silent(2s));
}

// File names may hold any byte but NUL and "/": quotes, blanks, a leading
// dash and non-ASCII names play like any other, as MP3 and as WAV.
TEST_F(MusicAudio, FilesWithQuotesBlanksDashesAndJapaneseNamesAreHeard) {
  const char* stems[] = {"-say \"hi\"", "it's a \xE6\x9B\xB2 \xE5\x90\x8D", "\"\"x\"\"  y"};
  for (const char* stem : stems) {
    for (const bool mp3 : {true, false}) {
      const double hz = mp3 ? 500 : 800;
      // Made under a plain name, then renamed, so no tool's quoting is involved.
      const std::string made = mp3 ? fx_.mp3("plain.mp3", hz, 2.0) : fx_.wav("plain.wav", hz, 2.0);
      BgmFile = (fx_.dir() / (std::string(stem) + (mp3 ? ".mp3" : ".wav"))).string();
      std::filesystem::rename(made, BgmFile);
      mp3 ? PlayMp3() : PlayWav();
      EXPECT_TRUE(hears(hz, 5s)) << BgmFile;
      mp3 ? CloseMp3() : StopWav();
      ASSERT_TRUE(goes_silent(5s)) << BgmFile;
    }
  }
}

TEST_F(MusicAudio, BadFilesPlayNothingAndNeverHang) {
  const std::string folder = (fx_.dir() / "folder.mp3").string();
  std::filesystem::create_directory(folder);
  const std::string empty = (fx_.dir() / "empty.mp3").string();
  std::ofstream(empty).close();
  const std::string files[] = {fx_.random_file("noise.mp3", 200000), empty, folder,
                               "/no/such/dir/x.mp3", "/" + std::string(5000, 'b') + ".mp3"};
  for (const std::string& f : files) {
    BgmFile = f;
    const auto t0 = std::chrono::steady_clock::now();
    PlayMp3();
    for (int i = 0; i < 3; ++i) {
      PollMp3();
      EXPECT_TRUE(stays_silent(300ms)) << f.substr(0, 80);
    }
    EXPECT_FALSE(IsMp3Playing()) << f.substr(0, 80);
    CloseMp3();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
  }
  BgmFile = fx_.random_file("noise.wav", 200000);
  PlayWav();
  EXPECT_TRUE(stays_silent(800ms));
  StopWav();
}

TEST_F(MusicAudio, CdRepeatTrackThreeJumpsBackAfterTrackFourBegins) {
  open_disc(fx_.disc({kTones, kTones + 5}, 1.0));
  BgmRepeat = 3;
  std::chrono::steady_clock::time_point first{};
  ASSERT_TRUE(tick_cd(3s, [&] { return is_tone(capture_->now(), 700); })) << describe();
  first = std::chrono::steady_clock::now();
  bool heard_five = false;
  bool replayed = false;
  tick_cd(3s, [&] {
    const auto s = capture_->now();
    heard_five = heard_five || is_tone(s, 1100);
    replayed = std::chrono::steady_clock::now() - first > 1500ms && is_tone(s, 700);
    return replayed;
  });
  EXPECT_TRUE(replayed) << "track 3 did not come back after its end";
  EXPECT_FALSE(heard_five);
  EXPECT_TRUE(CdActive);
  EXPECT_EQ(MciQuery("status cdaudio current track"), "3");
  EXPECT_EQ(MciQuery("status cdaudio position track 3"), "03:00:00:00");
  CloseCd();
  EXPECT_TRUE(goes_silent(2s));
}

TEST_F(MusicAudio, CdWithoutChosenTrackPlaysOnAcrossTracksAndRestartsWhenStopped) {
  open_disc(fx_.disc({kTones, kTones + 5}, 1.0));
  BgmRepeat = 0;
  ASSERT_TRUE(tick_cd(3s, [&] { return is_tone(capture_->now(), 300); })) << describe();
  EXPECT_EQ(MciQuery("status cdaudio mode"), "playing");
  // A stop from outside: the next poll plays on from where the disc stood.
  std::string reply;
  ASSERT_EQ(MciSend("stop cdaudio", reply), 0);
  EXPECT_EQ(MciQuery("status cdaudio mode"), "stopped");
  ASSERT_TRUE(goes_silent(2s));
  ASSERT_TRUE(tick_cd(2s, [&] { return !is_silent(capture_->now()); }));
  // From track 4 the disc plays on into track 5, ends, and starts again.
  ASSERT_EQ(MciPlay("cdaudio", "04:00:00:00", ""), 0);
  ASSERT_TRUE(tick_cd(2s, [&] { return is_tone(capture_->now(), 900); }));
  ASSERT_TRUE(tick_cd(2s, [&] { return is_tone(capture_->now(), 1100); }));
  EXPECT_EQ(MciQuery("status cdaudio current track"), "5");
  EXPECT_TRUE(tick_cd(3s, [&] { return is_tone(capture_->now(), 300); }));
  EXPECT_TRUE(CdActive);
}

TEST_F(MusicAudio, CdWithoutDiscEndsThePollAtTheFirstTick) {
  setenv("ORVANTH_CD_DEVICE", (fx_.dir() / "missing.cue").c_str(), 1);
  OpenCd();
  PollCd();
  EXPECT_FALSE(CdActive);
  EXPECT_EQ(MciQuery("status cdaudio current track").rfind("Error:", 0), 0U);
  EXPECT_EQ(MciQuery("status cdaudio mode"), "not ready");
  EXPECT_TRUE(stays_silent(500ms));
  CloseCd();
  CloseCd();  // closing what is closed is harmless
}

TEST_F(MusicAudio, CdRepeatBeyondTheDiscFailsEveryTickInSilence) {
  open_disc(fx_.disc({kTones, kTones + 5}, 1.0));
  BgmRepeat = 9;
  for (int i = 0; i < 5; ++i) {
    PollCd();
    EXPECT_TRUE(CdActive);
    EXPECT_TRUE(stays_silent(200ms));
  }
  EXPECT_EQ(MciQuery("status cdaudio position track 9"), "Error:282");
  EXPECT_EQ(MciQuery("status cdaudio mode"), "stopped");
}

}  // namespace

// The form Lumevar_S loaded inside the test: texture files, timer states by
// music setting, the CD poll stopping itself, and the end steps.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <set>

#include "common/texture_files.h"
#include "saver/music/music.h"
#include "saver/run/full_screen_run.h"
#include "saver/shell_state.h"
#include "tests/support/files.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wait.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;

QGuiApplication& app() {
  static int argc = 1;
  static char name[] = "run_form_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication instance(argc, argv);
  return instance;
}

bool process_events_until(const std::function<bool()>& cond, std::chrono::milliseconds limit) {
  return wait_for(
      [&] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return cond();
      },
      limit);
}

// "status cdaudio mode" reaches an open device (whatever it answers) or
// fails as a device that is not open.
bool cd_device_open() {
  std::string reply;
  const std::int32_t code = MciSend("status cdaudio mode", reply);
  std::string closed_reply;
  const std::int32_t closed_code = MciSend("status orvanth_never_opened mode", closed_reply);
  return code != closed_code;
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app();
    ::setenv("XDG_CACHE_HOME", cache_.path().c_str(), 1);
    Lumevar_S::Controls& c = Lumevar_S::controls();
    c.Timer1.set_enabled(false);
    c.Timer2.set_enabled(false);
  }
  void TearDown() override {
    run::end_run_steps();
    ::unsetenv("ORVANTH_CD_DEVICE");
    BgmType = kBgmNone;
    BgmFile.clear();
  }
  TempFolder cache_;
  Fixtures fixtures_;
};

TEST_F(FormTest, LoadWritesSevenFilesAndTakesTheCursor) {
  MouseX = -1;
  Lumevar_S::Form_Load();
  EXPECT_EQ(Lumevar_S::PlanetOrder[0], 0);
  const std::set<int> order(Lumevar_S::PlanetOrder.begin() + 1, Lumevar_S::PlanetOrder.end());
  EXPECT_EQ(order.size(), 9U);
  for (const auto& name : TextureFileNames()) {
    EXPECT_TRUE(fs::exists(name)) << name;
  }
  EXPECT_TRUE(Lumevar_S::RendererPath.ends_with("/Orvanth.data"));
  EXPECT_GE(MouseX, 0);
  EXPECT_TRUE(Lumevar_S::controls().Timer3.enabled());
  EXPECT_EQ(Lumevar_S::controls().Timer3.interval(), 50);
  EXPECT_FALSE(Lumevar_S::controls().Timer1.enabled());
  EXPECT_FALSE(Lumevar_S::controls().Timer2.enabled());
}

TEST_F(FormTest, Mp3OfAnyCaseStartsTheMp3PollOtherEndingsNone) {
  BgmType = kBgmFile;
  BgmFile = (fixtures_.dir() / "missing.Mp3").string();
  Lumevar_S::Form_Load();
  EXPECT_TRUE(Lumevar_S::controls().Timer1.enabled()) << "enabled whatever PlayMp3 achieved";
  EXPECT_EQ(Lumevar_S::controls().Timer1.interval(), 1000);
  Lumevar_S::controls().Timer1.set_enabled(false);
  BgmFile = fixtures_.mp3("song.mid", 440, 1);
  Lumevar_S::Form_Load();
  EXPECT_FALSE(Lumevar_S::controls().Timer1.enabled());
  EXPECT_FALSE(Lumevar_S::controls().Timer2.enabled());
}

TEST_F(FormTest, CdPollWithoutADiscStopsItselfAndTheEndLeavesTheDeviceAlone) {
  ::setenv("ORVANTH_CD_DEVICE", (fixtures_.dir() / "no-disc.cue").c_str(), 1);
  BgmType = kBgmCd;
  Lumevar_S::Form_Load();
  EXPECT_TRUE(Lumevar_S::controls().Timer2.enabled());
  EXPECT_EQ(Lumevar_S::controls().Timer2.interval(), 200);
  EXPECT_TRUE(process_events_until([] { return !Lumevar_S::controls().Timer2.enabled(); },
                                   std::chrono::seconds(5)));
  EXPECT_FALSE(CdActive);
  const bool open_before = cd_device_open();
  run::end_run_steps();
  EXPECT_EQ(cd_device_open(), open_before) << "CloseCd was called after the poll had stopped";
  CloseCd();
}

TEST_F(FormTest, CdPollWithADiscGoesOnAndTheEndClosesTheDevice) {
  ::setenv("ORVANTH_CD_DEVICE", fixtures_.disc({440, 660}, 3).c_str(), 1);
  BgmType = kBgmCd;
  Lumevar_S::Form_Load();
  // A few polls: the disc answers, so the poll stays on.
  const auto start = std::chrono::steady_clock::now();
  process_events_until(
      [&] { return std::chrono::steady_clock::now() - start > std::chrono::seconds(1); },
      std::chrono::seconds(3));
  EXPECT_TRUE(CdActive);
  EXPECT_TRUE(Lumevar_S::controls().Timer2.enabled());
  ASSERT_TRUE(cd_device_open());
  run::end_run_steps();
  EXPECT_FALSE(Lumevar_S::controls().Timer2.enabled());
  EXPECT_FALSE(cd_device_open());
}

}  // namespace
}  // namespace orvanth::test

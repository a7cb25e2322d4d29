// The music module and the interface's dispatch where no sound is needed:
// empty commands, error replies, unknown devices, files that cannot open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "saver/music/media.h"
#include "saver/music/music.h"
#include "saver/shell_state.h"
#include "tests/support/sound_fixtures.h"

using orvanth::music::file_kind;
using orvanth::music::FileKind;

namespace {

// A command whose reply is not wanted; its code.
std::uint32_t send(const std::string& command) {
  return orvanth::music::send_command(command.c_str(), nullptr, 0);
}

}  // namespace

TEST(MusicModule, EmptyCommandIsRefusedWithoutACall) {
  std::string reply = "old";
  EXPECT_EQ(MciSend("", reply), -1);
  EXPECT_EQ(reply, "コマンド文字列が指定されていません");
  EXPECT_EQ(MciQuery(""), "Error:-1");
  EXPECT_EQ(MciReply, "コマンド文字列が指定されていません");
}

TEST(MusicModule, QueryReturnsErrorCodeAndKeepsTheTextInMciReply) {
  EXPECT_EQ(MciQuery("dance cdaudio"), "Error:261");
  EXPECT_FALSE(MciReply.empty());
  EXPECT_EQ(MciReply.find("Error"), std::string::npos);
  EXPECT_EQ(MciQuery("status nothing mode"), "Error:263");
  EXPECT_EQ(MciPlay("MP3Play", "", ""), 263);
}

TEST(MusicModule, UnknownErrorCodeGivesTheFallbackText) {
  char buf[8] = "keep";
  EXPECT_FALSE(orvanth::music::error_text(12345, buf, sizeof buf));
  EXPECT_STREQ(buf, "keep");
  ASSERT_TRUE(orvanth::music::error_text(261, buf, sizeof buf));
  EXPECT_EQ(std::string(buf).size(), sizeof buf - 1);  // cut to the buffer
}

TEST(MusicModule, ExtensionTestIgnoresCaseAndLooksAtThreeCharacters) {
  EXPECT_EQ(file_kind("/m/a.mp3"), FileKind::kMp3);
  EXPECT_EQ(file_kind("/m/a.Mp3"), FileKind::kMp3);
  EXPECT_EQ(file_kind("/m/A.MP3"), FileKind::kMp3);
  EXPECT_EQ(file_kind("/m/a.WaV"), FileKind::kWav);
  EXPECT_EQ(file_kind("/m/a.wave"), FileKind::kNone);
  EXPECT_EQ(file_kind("/m/a.mid"), FileKind::kNone);
  EXPECT_EQ(file_kind("wav"), FileKind::kWav);
  EXPECT_EQ(file_kind("v"), FileKind::kNone);
  EXPECT_EQ(file_kind(""), FileKind::kNone);
}

TEST(MciInterface, FilesThatCannotOpenGiveTheirCodes) {
  orvanth::test::Fixtures fx;
  const std::string empty = (fx.dir() / "empty.mp3").string();
  std::ofstream(empty).close();
  const std::string folder = (fx.dir() / "folder.mp3").string();
  std::filesystem::create_directory(folder);
  const std::string open = "\" type MPEGVideo Alias MP3Play";
  EXPECT_EQ(send("open \"" + empty + open), 296U);
  EXPECT_EQ(send("open \"" + folder + open), 296U);
  EXPECT_EQ(send("open \"/no/such/file.mp3" + open), 275U);
  const std::string long_path = "/" + std::string(5000, 'a') + ".mp3";
  EXPECT_EQ(send("open \"" + long_path + open), 275U);
  EXPECT_EQ(send("open \"\" type MPEGVideo"), 292U);
  EXPECT_EQ(send("open x.mp3"), 287U);
  EXPECT_EQ(send("open x.mp3 type midi"), 263U);
  // Nothing was opened, so the alias is unknown.
  EXPECT_EQ(send("status MP3Play mode"), 263U);
}

TEST(MciInterface, QuotedNameWithAQuoteNeverOpens) {
  orvanth::test::Fixtures fx;
  const std::string real = fx.random_file("tone.mp3", 1000);
  BgmFile = real + "\" type waveaudio alias Other \"" + real;
  PlayMp3();
  EXPECT_EQ(send("status Other mode"), 263U);
  EXPECT_FALSE(IsMp3Playing());
  CloseMp3();
}

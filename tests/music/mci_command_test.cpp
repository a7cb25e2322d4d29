#include <gtest/gtest.h>

#include "saver/music/disc_time.h"
#include "saver/music/media_command.h"

using namespace orvanth::music;

TEST(MciTokenize, QuotedWordsKeepBlanksAndQuotesCannotJoinWords) {
  Tokens t = tokenize("  open \"/music/my song.mp3\"\ttype MPEGVideo  ");
  ASSERT_EQ(t.error, kOk);
  ASSERT_EQ(t.words.size(), 4U);
  EXPECT_EQ(t.words[1], "/music/my song.mp3");
  EXPECT_EQ(tokenize("open \"a\"b").error, kErrExtraCharacters);
  EXPECT_EQ(tokenize("open a\"b\"").error, kErrExtraCharacters);
  EXPECT_EQ(tokenize("open \"abc").error, kErrNoClosingQuote);
  EXPECT_EQ(tokenize("open \"\"").words.at(1), "");
}

TEST(MciParse, KeywordsIgnoreCaseAndOpenTakesTypeAndAlias) {
  ParseResult r = parse_command("OPEN \"x y.mp3\" TyPe mpegvideo alias MP3Play");
  ASSERT_EQ(r.error, kOk);
  EXPECT_EQ(r.command.verb, Verb::kOpen);
  EXPECT_EQ(r.command.device, "x y.mp3");
  EXPECT_EQ(r.command.type.value_or(""), "mpegvideo");
  EXPECT_EQ(r.command.alias.value_or(""), "MP3Play");
}

TEST(MciParse, ErrorsHaveTheirCodes) {
  EXPECT_EQ(parse_command("").error, kErrMissingCommandString);
  EXPECT_EQ(parse_command("   ").error, kErrMissingCommandString);
  EXPECT_EQ(parse_command("jump cdaudio").error, kErrUnrecognizedCommand);
  EXPECT_EQ(parse_command("play").error, kErrMissingDeviceName);
  EXPECT_EQ(parse_command("open \"\" type mpegvideo").error, kErrMissingDeviceName);
  EXPECT_EQ(parse_command("play cdaudio backwards").error, kErrUnrecognizedKeyword);
  EXPECT_EQ(parse_command("play cdaudio from").error, kErrMissingParameter);
  EXPECT_EQ(parse_command("play cdaudio from 1 from 2").error, kErrDuplicateFlags);
  EXPECT_EQ(parse_command("status cdaudio").error, kErrMissingParameter);
  EXPECT_EQ(parse_command("status cdaudio current").error, kErrUnrecognizedKeyword);
  EXPECT_EQ(parse_command("status cdaudio position track x").error, kErrBadInteger);
  EXPECT_EQ(parse_command("status cdaudio mode extra").error, kErrUnrecognizedKeyword);
  EXPECT_EQ(parse_command("set cdaudio time format frames").error, kErrBadTimeFormat);
  EXPECT_EQ(parse_command("set cdaudio door open").error, kErrUnrecognizedKeyword);
}

TEST(MciParse, StatusItemsPlayAndSet) {
  ParseResult r = parse_command("status cdaudio position track 3");
  ASSERT_EQ(r.error, kOk);
  EXPECT_EQ(r.command.item, StatusItem::kPosition);
  EXPECT_EQ(r.command.track.value_or(0), 3U);
  EXPECT_EQ(parse_command("status cdaudio number of tracks").command.item,
            StatusItem::kNumberOfTracks);
  EXPECT_EQ(parse_command("Status CDAudio Current Track").command.item, StatusItem::kCurrentTrack);
  r = parse_command("play cdaudio from 03:00:00:00 to 04 notify");
  ASSERT_EQ(r.error, kOk);
  EXPECT_EQ(r.command.from.value_or(""), "03:00:00:00");
  EXPECT_EQ(r.command.to.value_or(""), "04");
  EXPECT_EQ(parse_command("set cdaudio time format TMSF").command.time_format, TimeFormat::kTmsf);
}

// A file name holding a quote must never become further command words that
// the open would accept.
TEST(MciParse, QuoteInFileNameMakesTheOpenFail) {
  for (const char* name : {"a\"b.mp3", "x\" type waveaudio alias Other \"y.mp3", "x\" alias \"y",
                           "x\" type \"y", "x\" shareable \"y.mp3", "\""}) {
    const std::string cmd = std::string("open \"") + name + "\" type MPEGVideo Alias MP3Play";
    EXPECT_NE(parse_command(cmd).error, kOk) << cmd;
  }
}

// The shell quotes a file name by doubling its quotes: any name opens as
// itself, and an ordinary one gives the plain quoted text.
TEST(MciParse, AQuotedNameOpensExactlyThatFile) {
  EXPECT_EQ(quoted("/music/a b.mp3"), "\"/music/a b.mp3\"");
  for (const char* name :
       {"/m/a\"b.mp3", "/m/x\" type waveaudio alias Other \"y.mp3", "\"", "/m/it's.mp3",
        "/m/-dash.mp3", "-", "/m/\xE6\x9B\xB2 \t.mp3", "/m/\"\"\".mp3"}) {
    const ParseResult r = parse_command("open " + quoted(name) + " type MPEGVideo Alias MP3Play");
    ASSERT_EQ(r.error, kOk) << name;
    EXPECT_EQ(r.command.device, name);
    EXPECT_EQ(r.command.alias.value_or(""), "MP3Play") << name;
  }
}

namespace {
DiscLayout five_tracks() {
  DiscLayout d;
  d.track_starts = {0, 75, 150, 300, 301};
  d.end = 400;
  return d;
}
}  // namespace

TEST(MciDisc, TrackAtAndTmsfPositions) {
  const DiscLayout d = five_tracks();
  EXPECT_EQ(d.track_at(0), 1U);
  EXPECT_EQ(d.track_at(74), 1U);
  EXPECT_EQ(d.track_at(75), 2U);
  EXPECT_EQ(d.track_at(300), 4U);
  EXPECT_EQ(d.track_at(400), 5U);
  EXPECT_EQ(format_position(d, TimeFormat::kTmsf, 150), "03:00:00:00");
  EXPECT_EQ(format_position(d, TimeFormat::kTmsf, 150 + 75 + 3), "03:00:01:03");
  EXPECT_EQ(format_position(d, TimeFormat::kMsf, 4500 * 2 + 76), "02:01:01");
  EXPECT_EQ(format_position(d, TimeFormat::kMilliseconds, 150), "2000");
  EXPECT_EQ(format_length(TimeFormat::kTmsf, 100), "00:01:25");
}

TEST(MciDisc, ParsePositionRoundTripsAndRejectsNonsense) {
  const DiscLayout d = five_tracks();
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "03:00:00:00").frame, 150U);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "3").frame, 150U);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "2:0:0:5").frame, 80U);
  EXPECT_EQ(parse_position(d, TimeFormat::kMsf, "00:02:00").frame, 150U);
  EXPECT_EQ(parse_position(d, TimeFormat::kMilliseconds, "1000").frame, 75U);
  for (std::uint32_t f : {0U, 80U, 299U, 399U}) {
    const std::string text = format_position(d, TimeFormat::kTmsf, f);
    EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, text).frame, f) << text;
  }
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "06:00:00:00").error, kErrOutOfRange);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "00").error, kErrOutOfRange);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "01:00:00:75").error, kErrOutOfRange);
  EXPECT_EQ(parse_position(d, TimeFormat::kMsf, "10:00:00").error, kErrOutOfRange);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "Error:282").error, kErrBadInteger);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "1:2:3:4:5").error, kErrBadInteger);
  EXPECT_EQ(parse_position(d, TimeFormat::kTmsf, "1::2").error, kErrBadInteger);
  EXPECT_EQ(parse_position(d, TimeFormat::kMilliseconds, "-5").error, kErrBadInteger);
  // A huge millisecond count must not wrap around into the disc.
  EXPECT_EQ(parse_position(d, TimeFormat::kMilliseconds, "18446744073709551615").error,
            kErrOutOfRange);
}

TEST(MciErrors, KnownCodesHaveTextsUnknownHaveNone) {
  for (ErrorCode c : {kErrUnrecognizedCommand, kErrInvalidDeviceName, kErrFileNotFound,
                      kErrHardware, kErrOutOfRange, kErrBadInteger}) {
    ASSERT_NE(error_message(c), nullptr) << c;
  }
  EXPECT_EQ(error_message(0), nullptr);
  EXPECT_EQ(error_message(99999), nullptr);
}

// The profile rules on file images: reads, in-place writes, appends.
#include <gtest/gtest.h>

#include <string>

#include "common/ini_file.h"
#include "saver/settings_file.h"
#include "tests/support/settings_image.h"

namespace {

using orvanth::ini::read_value;
using orvanth::ini::write_value;

const std::string kType{orvanth::kKeyBgmType};
const std::string kRepeat{orvanth::kKeyBgmRepeat};
const std::string kFile{orvanth::kKeyBgmFile};

TEST(IniImage, ThreeWritesIntoNothingGiveTheDialogsImage) {
  struct Values {
    const char* type;
    const char* repeat;
    const char* file;
  };
  // Written a second time with other values: the same lines, in the same places.
  std::string text;
  for (const Values& v : {Values{" 2", " 0", "/music/a b.mp3"}, Values{"-2", " 7", ""}}) {
    text = write_value(text, "Section", kType, v.type);
    text = write_value(text, "Section", kRepeat, v.repeat);
    text = write_value(text, "Section", kFile, v.file);
    EXPECT_EQ(text, orvanth::test::settings_image(v.type, v.repeat, v.file)) << v.type;
  }
  // The image byte for byte, so that the key constants cannot drift unseen.
  EXPECT_EQ(orvanth::test::settings_image("-2", " 7", ""),
            "[Section]\r\nBGM\x8B\xE6\x95\xAA=-2\r\nBGM\xD8\xCB\xDF\xB0\xC4= 7\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n");
}

TEST(IniImage, ReplacementInPlaceKeepsEveryOtherByte) {
  const std::string before =
      "; kept comment\n[Other]\nkey=1\n\n[section]\r\n  Key = old value \r\nnext=2\n[Last]\nz=9";
  const std::string after = write_value(before, "Section", "key", "new");
  EXPECT_EQ(after, "; kept comment\n[Other]\nkey=1\n\n[section]\r\nkey=new\r\nnext=2\n[Last]\nz=9");
  EXPECT_EQ(read_value(after, "Other", "key", "", 256), "1");
}

TEST(IniImage, AppendGoesToTheEndOfItsSection) {
  const std::string before = "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n";
  EXPECT_EQ(write_value(before, "a", "new", "3"), "[A]\r\nx=1\r\nnew=3\r\n\r\n[B]\r\ny=2\r\n");
  // A missing section is appended, after a line end the file lacked.
  EXPECT_EQ(write_value("[A]\nx=1", "C", "k", "v"), "[A]\nx=1\r\n[C]\r\nk=v\r\n");
  // A section whose last line has no line end, or ends in a lone CR.
  EXPECT_EQ(write_value("[A]\nx=1", "A", "k", "v"), "[A]\nx=1\r\nk=v\r\n");
  const std::string lone_cr = write_value("[A]\nx=1\r", "A", "k", "v");
  EXPECT_EQ(lone_cr, "[A]\nx=1\r\nk=v\r\n");
  EXPECT_EQ(read_value(lone_cr, "A", "x", "", 256), "1");
}

TEST(IniImage, NamesMatchIgnoringAsciiCaseOnly) {
  const std::string text = "[SECTION]\r\nbgmfile=one\r\n" + kType + "= 2\r\n";
  EXPECT_EQ(read_value(text, "section", "BGMFILE", "", 256), "one");
  EXPECT_EQ(read_value(text, "Section", kType, "", 256), "2");
  // "bgm" + the key's bytes is the same key; a Shift-JIS trail byte that
  // looks like a letter is not folded ("\x83\x41" is not "\x83\x61").
  EXPECT_EQ(read_value(text, "Section", "bgm\x8B\xE6\x95\xAA", "", 256), "2");
  const std::string sjis = "[S]\n\x83\x41=a\n";
  EXPECT_EQ(read_value(sjis, "S", "\x83\x41", "", 256), "a");
  EXPECT_EQ(read_value(sjis, "S", "\x83\x61", "-", 256), "-");
}

TEST(IniImage, MissingSectionOrKeyReadsAsTheDefault) {
  const std::string text = "[Section]\r\nfirst=1\r\n[Other]\r\nsecond=2\r\n";
  EXPECT_EQ(read_value(text, "Section", "second", "", 256), "");
  EXPECT_EQ(read_value(text, "Nowhere", "first", "", 256), "");
  EXPECT_EQ(read_value("", "Section", "first", "dflt", 256), "dflt");
  // Keys before any section belong to none.
  EXPECT_EQ(read_value("first=0\n[Section]\n", "Section", "first", "", 256), "");
}

TEST(IniImage, LongValuesAreCutToTheBuffer) {
  const std::string value(300, 'v');
  const std::string text = write_value("", "Section", "k", value);
  const std::string read = read_value(text, "Section", "k", "", 256);
  EXPECT_EQ(read.size(), 255U);
  EXPECT_EQ(read, value.substr(0, 255));
  EXPECT_EQ(read_value(text, "Section", "k", "", 0), "");
}

TEST(IniImage, LfAndCrlfFilesReadAlikeAndBlanksAroundValuesGo) {
  const std::string lf = "[Section]\nBGM\x8B\xE6\x95\xAA= 2\nk=\t x y \t\n";
  const std::string crlf = "[Section]\r\nBGM\x8B\xE6\x95\xAA= 2\r\nk=\t x y \t\r\n";
  for (const std::string& text : {lf, crlf}) {
    EXPECT_EQ(read_value(text, "Section", kType, "", 256), "2");
    EXPECT_EQ(read_value(text, "Section", "k", "", 256), "x y");
  }
}

TEST(IniImage, TheFirstOfRepeatedSectionsAndKeysIsUsed) {
  const std::string text = "[S]\nk=1\nk=2\n[S]\nk=3\n";
  EXPECT_EQ(read_value(text, "S", "k", "", 256), "1");
  EXPECT_EQ(write_value(text, "S", "k", "9"), "[S]\nk=9\nk=2\n[S]\nk=3\n");
}

TEST(IniImage, OneMatchingPairOfSurroundingQuotesIsStripped) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"/music/a b.mp3\"", "/music/a b.mp3"},
      {"  \"/m/x.mp3\"  ", "/m/x.mp3"},
      {"\"\"/m/x.mp3\"\"", "\"/m/x.mp3\""},
      {"\"/m/x.mp3", "\"/m/x.mp3"},
      {"/m/\"x\".mp3", "/m/\"x\".mp3"},
      {"\"\"", ""},
      {"\"", "\""},
  };
  for (const auto& [stored, read] : cases) {
    EXPECT_EQ(read_value(std::string("[S]\nk=") + stored + "\n", "S", "k", "", 256), read)
        << stored;
  }
}

TEST(IniImage, LineBreaksCannotBeStored) {
  EXPECT_FALSE(orvanth::ini::storable("Section", kFile, "/a\nBGM= 2"));
  EXPECT_FALSE(orvanth::ini::storable("Section", kFile, "/a\rb"));
  EXPECT_FALSE(orvanth::ini::storable("Sec]tion", kFile, "x"));
  EXPECT_FALSE(orvanth::ini::storable("Section", "a=b", "x"));
  EXPECT_TRUE(orvanth::ini::storable("Section", kFile, "/music/\xE9t\xE9.mp3"));
}

}  // namespace

// The message box's text layout: UTF-8 clean-up and wrapping by width, with
// a font of 10 pixels a character.
#include "common/message_box_layout.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

int ten_per_character(std::string_view text) {
  int characters = 0;
  for (const char c : text) {
    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }
  return 10 * characters;
}

Lines wrap(std::string_view text, int width) {
  return orvanth::wrap_text(text, width, ten_per_character);
}

}  // namespace

TEST(MessageBoxLayout, InvalidUtf8BytesBecomeReplacementCharacters) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"d\xC3\xA9j\xC3\xA0 \xF0\x9F\x98\x80", "d\xC3\xA9j\xC3\xA0 \xF0\x9F\x98\x80"},
      {"d\xE9j\xE0", "d\xEF\xBF\xBDj\xEF\xBF\xBD"},                              // Latin-1
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                  // overlong '/'
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                  // surrogate
      {"a\xE2\x82", "a\xEF\xBF\xBD\xEF\xBF\xBD"},                                // cut short
      {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // > U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(orvanth::valid_utf8(c.in), c.out) << c.in;
  }
}

TEST(MessageBoxLayout, WrapsAtBlanksSlashesNewlinesAndInsideOverlongWords) {
  const struct {
    std::string text;
    int width;
    Lines lines;
  } cases[] = {
      {"Error reading palette", 400, {"Error reading palette"}},
      {"aaa bbb ccc", 70, {"aaa bbb", "ccc"}},
      {"aaa   bbb", 30, {"aaa", "bbb"}},
      {"/home/d\xC3\xA9j\xC3\xA0/x.bmp", 70, {"/home/", "d\xC3\xA9j\xC3\xA0/", "x.bmp"}},
      {"\"C:\\users\\x.bmp", 100, {"\"C:\\users\\", "x.bmp"}},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
       20,
       {"\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
      {"a\n\nb", 100, {"a", "", "b"}},
      {"", 100, {""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wrap(c.text, c.width), c.lines) << c.text << " in " << c.width;
  }
}

TEST(MessageBoxLayout, ALongPathKeepsEveryCharacterWithinTheWidth) {
  std::string path = "Error opening \"/home/d\xC3\xA9j\xC3\xA0";
  for (int i = 0; i < 12; ++i) {
    path += "/\xC3\xBCn\xC3\xAF" + std::string(static_cast<std::size_t>(i * 3), 'x');
  }
  path += "/Orvanth03.bmp";
  std::string joined;
  for (const std::string& line : wrap(path, 200)) {
    EXPECT_LE(ten_per_character(line), 200) << line;
    joined += line + (line == "Error opening" ? " " : "");
  }
  EXPECT_EQ(joined, path);
}

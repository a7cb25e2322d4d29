// The command line as the shell gets it, its mode letter, and folders of
// paths, on both platforms.
#include <gtest/gtest.h>

#include "saver/forms/program.h"
#include "saver/mode_letter.h"

namespace {

using namespace orvanth::forms;

TEST(Program, CommandLineIsTheArgumentsJoinedByBlanks) {
  EXPECT_EQ(join_arguments({}), "");
  EXPECT_EQ(join_arguments({"/p", "1234"}), "/p 1234");
  EXPECT_EQ(join_arguments({"", "x"}), " x");
  const char* argv[] = {"Orvanth.scr", "/c:55", "two words"};
  set_command_line(3, argv);
  EXPECT_EQ(command_line(), "/c:55 two words");
}

// The system's whole line, as a screen-saver host or a user starts the
// program: the name in quotes may hold blanks, one without quotes ends at the
// first blank, and the blanks after it go too.
TEST(Program, TheSystemsLineLosesTheProgramsNameAndTheBlanksAfterIt) {
  const struct {
    const char* line;
    const char* arguments;
  } cases[] = {
      {"\"C:\\Program Files\\Orvanth\\Orvanth.scr\" /p 1234", "/p 1234"},
      {"C:\\WINDOWS\\ORVANT~1.SCR /s", "/s"},
      {"Orvanth.scr   \t/c:5678", "/c:5678"},
      {"\"Orvanth.scr\"/s", "/s"},
      {"Orvanth.scr", ""},
      {"\"C:\\x y\\Orvanth.scr", ""},
      {"Orvanth.scr /s  ", "/s  "},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(arguments_of(c.line), c.arguments) << c.line;
  }
  set_command_line(std::string_view("\"C:\\a b\\Orvanth.scr\" /a 99"));
  EXPECT_EQ(command_line(), "/a 99");
}

TEST(Program, ModeLetterIsTheSecondCharacterUpperCased) {
  EXPECT_EQ(orvanth::mode_letter("/s"), 'S');
  EXPECT_EQ(orvanth::mode_letter("-S"), 'S');
  EXPECT_EQ(orvanth::mode_letter("xs"), 'S');
  EXPECT_EQ(orvanth::mode_letter("/c:1234"), 'C');
  EXPECT_EQ(orvanth::mode_letter("/p 99"), 'P');
  EXPECT_EQ(orvanth::mode_letter("s"), '\0');
  EXPECT_EQ(orvanth::mode_letter(""), '\0');
  EXPECT_EQ(orvanth::mode_letter("/a"), 'A');
}

TEST(Program, FolderHasNoTrailingSeparatorExceptAtTheRoot) {
  const struct {
    const char* path;
    const char* folder;
  } cases[] = {
#ifdef _WIN32
      {"C:\\Program Files\\Orvanth\\Orvanth.scr", "C:\\Program Files\\Orvanth"},
      {"C:\\Orvanth.scr", "C:\\"},
      {"\\\\server\\share\\Orvanth.scr", "\\\\server\\share"},
      {"\\Orvanth.scr", "\\"},
#else
      {"/opt/orvanth/Orvanth.scr", "/opt/orvanth"},
      {"/Orvanth.scr", "/"},
      {"a:/Orvanth.scr", "a:"},
#endif
      {"Orvanth.scr", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(folder_of(c.path), c.folder) << c.path;
  }
}

}  // namespace

// --help, --version and unknown long options of both programs, as started
// (Orvanth.scr, its link orvanth, Orvanth.data); the saver's own switches,
// /a included, stay silent.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the program to its end with stdout and stderr kept; with_display
// false takes DISPLAY away.
Outcome run(const fs::path& program, const std::vector<std::string>& args, bool with_display) {
  TempFolder folder;
  const fs::path out = folder.path() / "out";
  const fs::path err = folder.path() / "err";
  std::vector<std::string> sh_args{"-c", "exec \"$0\" \"$@\" >'" + out.string() + "'",
                                   program.string()};
  sh_args.insert(sh_args.end(), args.begin(), args.end());
  EnvironmentChanges env{{"XDG_CONFIG_HOME", folder.path().string()},
                         {"XDG_CACHE_HOME", folder.path().string()},
                         {"XDG_RUNTIME_DIR", folder.path().string()}};
  if (!with_display) {
    env["DISPLAY"] = std::nullopt;
  }
  Process p("/bin/sh", sh_args, env, err);
  const bool ended = p.ends_within(std::chrono::seconds(20));
  return {ended ? p.exit_code() : -2, file_bytes(out), file_bytes(err)};
}

std::size_t lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CommandLineTest, HelpVersionAndUnknownOptionsOfBothPrograms) {
  const fs::path bin(ORVANTH_BIN_DIR);
  const fs::path link = bin.parent_path().parent_path() / "bin" / "orvanth";
  const struct {
    fs::path program;
    std::vector<std::string> args;
    bool display;
    int exit_code;
    std::string out_has;  // "" : stdout must be empty
    std::string err_has;  // "" : stderr must be empty, else exactly one line
  } cases[] = {
      {bin / "Orvanth.scr", {"--version"}, false, 0, "Orvanth.scr " ORVANTH_VERSION "\n", ""},
      {bin / "Orvanth.scr", {"--help"}, false, 0, "/p WINDOW", ""},
      {bin / "Orvanth.scr", {"/s", "--help"}, false, 0, "--window-id", ""},
      {link, {"--help"}, false, 0, "Usage: orvanth ", ""},
      {bin / "Orvanth.scr", {"--xyz"}, false, 1, "", "orvanth.scr --help"},
      {link, {"--xyz"}, false, 1, "", "'orvanth --help'"},
      {bin / "Orvanth.scr", {"--window-id", "nowhere"}, false, 1, "", "--help"},
      {bin / "Orvanth.scr", {"/a"}, true, 0, "", ""},
      {bin / "Orvanth.scr", {"-root", "/a"}, true, 0, "", ""},
      {bin / "Orvanth.data", {"--version"}, false, 0, "Orvanth.data " ORVANTH_VERSION "\n", ""},
      {bin / "Orvanth.data", {"--help"}, false, 0, "XSCREENSAVER_WINDOW", ""},
      {bin / "Orvanth.data", {"--xyz"}, false, 1, "", "--help"},
  };
  for (const auto& c : cases) {
    const Outcome o = run(c.program, c.args, c.display);
    const std::string what = c.program.filename().string() + " " + ::testing::PrintToString(c.args);
    EXPECT_EQ(o.exit_code, c.exit_code) << what << "\n" << o.err;
    if (c.out_has.empty()) {
      EXPECT_EQ(o.out, "") << what;
    } else {
      EXPECT_NE(o.out.find(c.out_has), std::string::npos) << what << "\n" << o.out;
    }
    if (c.err_has.empty()) {
      EXPECT_EQ(o.err, "") << what;
    } else {
      std::string lower = o.err;
      std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
      EXPECT_NE(lower.find(c.err_has), std::string::npos) << what << "\n" << o.err;
      EXPECT_EQ(lines(o.err), 1U) << what << "\n" << o.err;
    }
  }
}

}  // namespace
}  // namespace orvanth::test

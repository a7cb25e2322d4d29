// The hosts' options on the shell's command line: what is taken off, what is
// left for the saver's own switches, and which window a run is hosted in.
#include <gtest/gtest.h>

#include "common/window_id.h"
#include "saver/hosted/command_options.h"

namespace orvanth::hosted {
namespace {

using Args = std::vector<std::string>;
constexpr unsigned long kRoot = 0x2A;

TEST(WindowIdTest, DecimalAndHexAreWindowsAnythingElseIsNot) {
  const std::pair<const char*, unsigned long> windows[] = {
      {"4194311", 4194311UL}, {"0x400007", 0x400007UL}, {"0X1f", 0x1FUL}, {" 0x20 \n", 0x20UL}};
  for (const auto& [text, id] : windows) {
    EXPECT_EQ(parse_window_id(text), id) << text;
  }
  for (const char* text : {"0", "", "0x", "-5", "+5", "12ab", "0x40g", "0x 1", "0x20000000",
                           "99999999999999999999999"}) {
    EXPECT_EQ(parse_window_id(text), std::nullopt) << text;
  }
}

TEST(CommandOptionsTest, HostsOptionsAreTakenOffAndTheSaversSwitchesLeft) {
  const struct {
    Args args;
    Action action;
    Args saver;
    bool root;
    std::optional<unsigned long> window;
  } cases[] = {
      {{}, Action::kRun, {}, false, std::nullopt},
      {{"/s"}, Action::kRun, {"/s"}, false, std::nullopt},
      {{"/p", "123"}, Action::kRun, {"/p", "123"}, false, std::nullopt},
      {{"/a"}, Action::kRun, {"/a"}, false, std::nullopt},
      {{"-s"}, Action::kRun, {"-s"}, false, std::nullopt},
      {{"--root"}, Action::kRun, {}, true, std::nullopt},
      {{"-root"}, Action::kRun, {}, true, std::nullopt},
      {{"--root", "--window-id", "0x400007"}, Action::kRun, {}, true, 0x400007UL},
      {{"-window-id", "77", "/s"}, Action::kRun, {"/s"}, false, 77UL},
      {{"/s", "--window-id=0x10"}, Action::kRun, {"/s"}, false, 0x10UL},
      {{"/s", "--help"}, Action::kHelp, {"/s"}, false, std::nullopt},
      {{"--version", "--bogus"}, Action::kVersion, {}, false, std::nullopt},
      {{"--bogus", "--help"}, Action::kFail, {}, false, std::nullopt},
      {{"--window-id"}, Action::kFail, {}, false, std::nullopt},
      {{"--window-id", "/s"}, Action::kFail, {}, false, std::nullopt},
      {{"--"}, Action::kFail, {}, false, std::nullopt},
  };
  for (const auto& c : cases) {
    const CommandOptions o = read_command_options(c.args, "orvanth");
    const std::string line = ::testing::PrintToString(c.args);
    EXPECT_EQ(o.action, c.action) << line;
    EXPECT_EQ(o.saver_arguments, c.saver) << line;
    EXPECT_EQ(o.root, c.root) << line;
    EXPECT_EQ(o.window_id, c.window) << line;
    // A refusal is one line that names the program and points to --help.
    EXPECT_EQ(o.action == Action::kFail, o.error.rfind("orvanth: ", 0) == 0) << line;
    EXPECT_EQ(o.action == Action::kFail, o.error.find("--help") != std::string::npos) << line;
    EXPECT_EQ(o.error.find('\n'), std::string::npos) << line;
  }
}

TEST(CommandOptionsTest, IdleTakesMinutesAboveZero) {
  const struct {
    Args args;
    std::optional<double> minutes;  // nothing: refused
  } cases[] = {
      {{"--idle", "10"}, 10.0},         {{"--idle=0.5"}, 0.5},
      {{"--idle", "0"}, std::nullopt},  {{"--idle", "-1"}, std::nullopt},
      {{"--idle", "5m"}, std::nullopt}, {{"--idle"}, std::nullopt},
      {{"--idle="}, std::nullopt},      {{"--idle", "inf"}, std::nullopt},
  };
  for (const auto& c : cases) {
    const CommandOptions o = read_command_options(c.args, "orvanth");
    EXPECT_EQ(o.idle_minutes, c.minutes) << ::testing::PrintToString(c.args);
    EXPECT_EQ(o.action == Action::kFail, !c.minutes) << ::testing::PrintToString(c.args);
  }
}

TEST(CommandOptionsTest, OnlyAFullScreenRunIsHostedInTheNamedEnvironmentOrRootWindow) {
  const struct {
    Args args;
    bool full_screen;
    const char* environment;
    std::optional<unsigned long> host;
  } cases[] = {
      {{}, true, nullptr, std::nullopt},
      {{}, true, "", std::nullopt},
      {{}, true, "0x500001", 0x500001UL},
      {{}, true, "5242881", 5242881UL},
      {{}, false, "0x500001", std::nullopt},  // /c, /p beside a host stay as they are
      {{"--root"}, true, nullptr, kRoot},
      {{"--root"}, true, "0x500001", 0x500001UL},
      {{"--root"}, true, "junk", kRoot},
      {{"--root"}, false, nullptr, std::nullopt},
      {{"--window-id", "0x77"}, true, "0x500001", 0x77UL},
      {{"--root", "--window-id", "99"}, true, nullptr, 99UL},
  };
  for (const auto& c : cases) {
    const CommandOptions o = read_command_options(c.args, "orvanth");
    EXPECT_EQ(host_window(o, c.full_screen, c.environment, kRoot), c.host)
        << ::testing::PrintToString(c.args) << " env " << (c.environment ? c.environment : "unset")
        << " full screen " << c.full_screen;
  }
}

}  // namespace
}  // namespace orvanth::hosted

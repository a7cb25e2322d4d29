// Ending the renderer a run started: SIGTERM, then SIGKILL once the grace
// has passed; reaped either way, and an id that has ended is never signalled.
// And the renderer's word that it is ready, which the run waits for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "saver/forms/process.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

fs::path script(const TempFolder& folder, const std::string& name, const std::string& body) {
  fs::path path = folder.path() / name;
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

TEST(EndProcessTest, TermThenKillAfterTheGraceAndAlwaysReaped) {
  TempFolder folder;
  const struct {
    std::string body;
    milliseconds at_least;
  } cases[] = {
      {"exec sleep 60", milliseconds(0)},
      {"trap '' TERM; while :; do sleep 1 >/dev/null 2>&1; done",
       milliseconds(300)},  // deaf to SIGTERM
  };
  for (const auto& c : cases) {
    const auto pid = forms::start_process(script(folder, "child", c.body).string());
    ASSERT_GT(pid, 0);
    const auto child = static_cast<pid_t>(pid);
    ASSERT_TRUE(wait_for([&] { return process_state(child) == 'S'; }, milliseconds(10000)));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(forms::end_process(pid, milliseconds(300))) << c.body;
    EXPECT_GE(std::chrono::steady_clock::now() - start, c.at_least) << c.body;
    EXPECT_EQ(process_state(child), '\0') << "left as a zombie: " << c.body;
  }
}

TEST(EndProcessTest, AProcessThatHasEndedIsNotSignalledAgain) {
  TempFolder folder;
  const auto pid = forms::start_process(script(folder, "quick", "exit 0").string());
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(wait_for([&] { return process_state(static_cast<pid_t>(pid)) == '\0'; },
                       milliseconds(10000)));
  EXPECT_TRUE(forms::end_process(pid, milliseconds(300)));
  EXPECT_FALSE(forms::end_process(-1, milliseconds(300)));
}

// The child sees the socket's number once, whatever the shell inherited.
TEST(ProcessReadyTest, TrueOnTheChildsWordFalseWhenItEndsOrStaysSilent) {
  TempFolder folder;
  constexpr milliseconds kLimit(2000);
  ASSERT_EQ(setenv("ORVANTH_READY_FD", "7", 1), 0);
  const struct {
    std::string body;
    bool ready;
    milliseconds at_least;
    milliseconds below;
  } cases[] = {
      {"[ \"$(env | grep -c ORVANTH_READY_FD)\" = 1 ] && [ \"$ORVANTH_READY_FD\" = 3 ] && "
       "printf x >&3; exec sleep 60",
       true, milliseconds(0), kLimit},
      {"exit 0", false, milliseconds(0), kLimit},  // its end closes the socket
      {"exec sleep 60", false, kLimit, milliseconds(10000)},
  };
  for (const auto& c : cases) {
    const auto pid = forms::start_process(script(folder, "child", c.body).string());
    ASSERT_GT(pid, 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(forms::process_ready_within(pid, kLimit), c.ready) << c.body;
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, c.at_least) << c.body;
    EXPECT_LT(took, c.below) << c.body;
    EXPECT_EQ(forms::process_ready_within(pid, milliseconds(0)), c.ready) << "again: " << c.body;
    forms::end_process(pid, milliseconds(300));
  }
  unsetenv("ORVANTH_READY_FD");
}

}  // namespace
}  // namespace orvanth::test

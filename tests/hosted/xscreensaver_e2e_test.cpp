// A real xscreensaver daemon, as an ordinary user, with Orvanth installed in
// a temporary prefix and chosen in its ~/.xscreensaver: activation shows the
// scene inside xscreensaver's window, deactivation leaves no Orvanth process,
// and a second activation does the same (no restart loop).
#include <gtest/gtest.h>

#include "tests/hosted/scene_check.h"
#include "tests/hosted/xscreensaver_daemon.h"
#include "tests/support/x_client.h"

namespace orvanth::test {
namespace {

using std::chrono::seconds;

TEST(XScreenSaverTest, ActivationDrawsInItsWindowAndDeactivationEndsBothPrograms) {
  XClient x;
  ASSERT_NE(x.display(), nullptr);
  InstallPrefix prefix;
  ASSERT_TRUE(prefix.installed());
  XScreenSaverDaemon daemon(prefix);
  ASSERT_TRUE(daemon.ready());
  for (int activation = 0; activation < 2; ++activation) {
    SCOPED_TRACE("activation " + std::to_string(activation + 1));
    ASSERT_TRUE(daemon.command("-activate"));
    std::optional<Window> host;
    ASSERT_TRUE(wait_for([&] { return (host = daemon.host_window()).has_value(); }, seconds(30)));
    EXPECT_TRUE(scene_within(x.display(), *host, seconds(30)));
    EXPECT_TRUE(scene_moves(x.display(), *host, seconds(20)));
    EXPECT_EQ(find_window(x.display(), "Lumevar_Delphi"), 0U) << "a top-level window of its own";
    // Still the first shell: no restart after restart.
    const auto shells = processes_of(prefix.shell());
    EXPECT_EQ(shells.size(), 1U);
    EXPECT_TRUE(daemon.command("-deactivate"));
    EXPECT_TRUE(wait_for([&] { return !prefix.any_running(); }, seconds(5)));
  }
}

}  // namespace
}  // namespace orvanth::test

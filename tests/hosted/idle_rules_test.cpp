// orvanth --idle's choices: the source it listens to, and one run per spell.
#include "saver/hosted/idle_rules.h"

#include <gtest/gtest.h>

namespace orvanth::hosted {
namespace {

TEST(IdleRules, ChoosesTheCompositorsProtocolThenMutterThenX11) {
  struct Case {
    IdleOffers offers;
    IdleSource chosen;
  };
  const Case cases[] = {
      {{}, IdleSource::kNone},
      {{true, true, true, true}, IdleSource::kExtIdleNotify},
      {{false, true, true, true}, IdleSource::kKdeIdle},
      // GNOME on Wayland: no protocol; XWayland's idle time would ignore
      // the compositor's own input.
      {{false, false, true, true}, IdleSource::kMutterIdleMonitor},
      {{false, false, false, true}, IdleSource::kScreenSaverExtension},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(choose_idle_source(c.offers), c.chosen);
  }
}

TEST(IdleRules, StartsOneRunPerIdleSpellOnceNoneIsUp) {
  IdleSpell spell;
  EXPECT_FALSE(spell.start_now(false)) << "not idle yet";
  spell.idled();
  spell.resumed();
  EXPECT_FALSE(spell.start_now(false)) << "input came before the run";
  spell.idled();
  EXPECT_FALSE(spell.start_now(true)) << "a run is up";
  EXPECT_TRUE(spell.start_now(false)) << "that run ended while still idle";
  EXPECT_FALSE(spell.start_now(false)) << "the spell is spent";
}

}  // namespace
}  // namespace orvanth::hosted

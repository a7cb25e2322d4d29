#include "saver/hosted/idle_rules.h"

namespace orvanth::hosted {

IdleSource choose_idle_source(const IdleOffers& offers) {
  if (offers.ext_idle_notify) {
    return IdleSource::kExtIdleNotify;
  }
  if (offers.kde_idle) {
    return IdleSource::kKdeIdle;
  }
  if (offers.mutter_idle_monitor) {
    return IdleSource::kMutterIdleMonitor;
  }
  if (offers.screen_saver_extension) {
    return IdleSource::kScreenSaverExtension;
  }
  return IdleSource::kNone;
}

bool IdleSpell::start_now(bool run_up) {
  if (!idle_ || run_up) {
    return false;
  }
  idle_ = false;
  return true;
}

}  // namespace orvanth::hosted

// What orvanth --idle decides with no platform in it: which of the session's
// idle sources to listen to, and when an idle notice starts a run.
#pragma once

namespace orvanth::hosted {

enum class IdleSource {
  kNone,
  kExtIdleNotify,        // Wayland's ext-idle-notify-v1
  kKdeIdle,              // org_kde_kwin_idle (sway 1.7, older KWin)
  kMutterIdleMonitor,    // GNOME: org.gnome.Mutter.IdleMonitor on the session bus
  kScreenSaverExtension  // X11's MIT-SCREEN-SAVER
};

// What the session offers.
struct IdleOffers {
  bool ext_idle_notify = false;
  bool kde_idle = false;
  bool mutter_idle_monitor = false;
  bool screen_saver_extension = false;
};

// The compositor's own Wayland protocols first; then GNOME's monitor (Mutter
// has neither protocol, and under XWayland the X idle time sees only X
// clients' input); X11's extension last.
IdleSource choose_idle_source(const IdleOffers& offers);

// One run per idle spell: a notice that the session went idle starts a run
// once none is up; activity before that cancels it.
class IdleSpell {
 public:
  void idled() { idle_ = true; }
  void resumed() { idle_ = false; }
  // True when a run is to start now (and the spell is spent).
  bool start_now(bool run_up);

 private:
  bool idle_ = false;
};

}  // namespace orvanth::hosted

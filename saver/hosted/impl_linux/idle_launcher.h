// orvanth --idle MINUTES: starts the full-screen run (the shell with /s)
// each time the session has been idle that long, never a second one while
// one runs, and ends with the session. On Wayland the compositor says when
// (ext-idle-notify-v1, else org_kde_kwin_idle); on GNOME, Mutter's idle
// monitor on the session bus does; on X11 the MIT-SCREEN-SAVER extension's
// idle time is read.
#pragma once

#include <string>

namespace orvanth::hosted {

// Returns the program's exit code: 0 when the session ended, 1 when
// no way of learning the idle time is there.
int run_idle_launcher(double minutes, const std::string& shell_path);

}  // namespace orvanth::hosted

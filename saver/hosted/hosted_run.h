// What a hosted run keeps apart from a full-screen run: the host window it
// draws in and whether this copy plays the music. Set once by the program's
// entry before Main; plain state, so the run's rules stay portable.
#pragma once

#include <optional>

#include "saver/forms/window.h"

namespace orvanth::hosted {

struct HostedRun {
  // The host's window; nothing for a run of its own (/s, /c, /p).
  std::optional<forms::WindowHandle> window;
  // Only the first of the user's hosted copies plays music.
  bool plays_music = true;
};

void set_hosted_run(const HostedRun& run);
const HostedRun& hosted_run();
bool is_hosted();

}  // namespace orvanth::hosted

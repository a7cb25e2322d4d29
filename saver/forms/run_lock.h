// The full-screen run's single-instance lock: the check and the claim are
// one step, so two runs started in the same instant cannot both pass it, as
// they can pass the window-title guard before either renderer is up.
#pragma once

namespace orvanth::forms {

// Claims the lock for this user and display (Windows: this session), held
// until the program ends. False when another run holds it; true as well
// where no lock can be made at all, leaving the title guard alone.
bool claim_run_lock();

// Whether a run holds the lock now. In a Wayland session no client sees
// another's windows, so this is how the dialog and the preview learn that
// a run is up, as the title guard tells them on X11.
bool run_lock_held();

}  // namespace orvanth::forms

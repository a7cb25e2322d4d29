// What a forms backend gives the lifetime rule of program.cpp: its event
// loop. Only program.cpp calls these.
#pragma once

namespace orvanth::forms {

// Runs the event loop until quit_event_loop; the process's exit status.
// Returns 0 at once when the runtime has not been started.
int run_event_loop();
void quit_event_loop();

}  // namespace orvanth::forms

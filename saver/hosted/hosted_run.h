// What a hosted run keeps apart from the design's run: the host window it
// draws in, the one-player music lock shared by the user's hosted copies,
// and the test whether the host window still exists.
#pragma once

#include <optional>
#include <string>

namespace orvanth::hosted {

// Set once by Main before the run's form loads; nothing for a design run.
void set_host(std::optional<unsigned long> window);
std::optional<unsigned long> host();
bool is_hosted();

// The lock file: $XDG_RUNTIME_DIR/orvanth-music.lock, else music.lock in
// the per-user texture folder.
std::string music_lock_path();

// Whether this process may play music: true for the first hosted copy of
// the user, which then holds the lock until it ends.
bool take_music_lock();

// Whether the X window exists on the shell's display.
bool window_exists(unsigned long window);

// The display's root window, 0 without a display.
unsigned long root_window();

}  // namespace orvanth::hosted

// The one-player music lock the user's hosted copies share: a file lock
// held for the life of the process.
#pragma once

#include <string>

namespace orvanth::hosted {

// The lock file: $XDG_RUNTIME_DIR/orvanth-music.lock, else music.lock in
// the per-user texture folder.
std::string music_lock_path();

// Whether this process may play music: true for the first hosted copy of
// the user, which then holds the lock until it ends.
bool take_music_lock();

}  // namespace orvanth::hosted

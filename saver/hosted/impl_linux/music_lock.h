// The one-player music lock the user's hosted copies share: a file lock
// held for the life of the process.
#pragma once

namespace orvanth::hosted {

// Whether this process may play music: true for the first hosted copy of
// the user, which then holds the lock until it ends.
bool take_music_lock();

}  // namespace orvanth::hosted

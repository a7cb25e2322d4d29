// The single-instance guard: a copy is running while one of the guard
// windows (common/window_titles.h) exists.
#pragma once

namespace orvanth {

// Whether any guard window exists; all three look-ups are made.
bool another_copy_running();

}  // namespace orvanth

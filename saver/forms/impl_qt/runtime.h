// What waits for the Qt runtime: timers enabled and end signals watched
// before start_runtime() are started when it is up.
#pragma once

#include <functional>

namespace orvanth::forms {

// Runs what at once when the runtime is up, else as soon as it is.
void when_runtime_up(std::function<void()> what);

}  // namespace orvanth::forms

// Test support: waiting on a condition with a limit instead of sleeping.
#pragma once

#include <chrono>
#include <functional>

namespace orvanth::test {

inline constexpr std::chrono::milliseconds kPoll{20};
// Generous: the test machines are small and shared.
inline constexpr std::chrono::milliseconds kDefaultLimit{20000};

// Polls condition every 20 ms until it holds (true) or limit has passed
// (false).
bool wait_for(const std::function<bool()>& condition,
              std::chrono::milliseconds limit = kDefaultLimit);

// How this test program spends the time between polls: by default the thread
// sleeps; the Qt tests' main keeps the event loop running instead.
void set_poll_pause(std::function<void(std::chrono::milliseconds)> pause);

}  // namespace orvanth::test

// The Win32 tests' message loop: run it until a condition holds.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace orvanth::test {

// Runs the message loop until done() holds; false when limit passed first.
inline bool pump_until(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
  }
  return true;
}

}  // namespace orvanth::test

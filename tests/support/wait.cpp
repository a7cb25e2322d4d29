#include "tests/support/wait.h"

#include <thread>

namespace orvanth::test {

bool wait_for(const std::function<bool()>& condition, std::chrono::milliseconds limit,
              const std::function<void(std::chrono::milliseconds)>& pause) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    if (pause) {
      pause(kPoll);
    } else {
      std::this_thread::sleep_for(kPoll);
    }
  }
  return true;
}

}  // namespace orvanth::test

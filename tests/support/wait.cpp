#include "tests/support/wait.h"

#include <thread>
#include <utility>

namespace orvanth::test {

namespace {

std::function<void(std::chrono::milliseconds)>& poll_pause() {
  static std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds d) {
    std::this_thread::sleep_for(d);
  };
  return pause;
}

}  // namespace

bool wait_for(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    poll_pause()(kPoll);
  }
  return true;
}

void set_poll_pause(std::function<void(std::chrono::milliseconds)> pause) {
  poll_pause() = std::move(pause);
}

}  // namespace orvanth::test

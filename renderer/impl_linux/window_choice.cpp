// orvanth::window on Linux: the first backend that opens, in the order
// backends_to_try gives, answers every later call.
#include <cstdlib>
#include <ctime>

#include "renderer/backend_choice.h"
#include "renderer/impl_linux/backend_calls.h"

namespace orvanth::window {

namespace {

const BackendCalls* chosen = &kX11Calls;

}  // namespace

bool open(int bits, Opened& opened) {
  const char* forced = std::getenv(kBackendVariable);
  const auto order =
      backends_to_try(forced, std::getenv("WAYLAND_DISPLAY"), std::getenv("XSCREENSAVER_WINDOW"));
  for (const WindowBackend backend : order) {
    chosen = backend == WindowBackend::kWayland ? &kWaylandCalls : &kX11Calls;
    opened = {};
    if (chosen->open(bits, opened)) {
      return true;
    }
  }
  return false;
}

Message next_message() { return chosen->next_message(); }
void swap_buffers() { chosen->swap_buffers(); }
bool next_surface(int& width, int& height) { return chosen->next_surface(width, height); }
bool set_swap_interval(int interval) { return chosen->set_swap_interval(interval); }
void wait_for_message(std::int64_t microseconds) { chosen->wait_for_message(microseconds); }
std::optional<CursorPoint> cursor_position() { return chosen->cursor_position(); }
void show_cursor(bool shown) { chosen->show_cursor(shown); }
void close() { chosen->close(); }

std::uint32_t tick() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace orvanth::window

// Which window backend the renderer tries, in order, on a desktop that may
// run X11, Wayland or both. Plain C++.
#pragma once

#include <string_view>
#include <vector>

namespace orvanth {

enum class WindowBackend { kX11, kWayland };

// Set to "x11" or "wayland", it forces that backend.
inline constexpr char kBackendVariable[] = "ORVANTH_BACKEND";

// From the environment's values (null when unset): a host's window
// (XSCREENSAVER_WINDOW) is always an X window; a forced backend is the only
// one tried; with WAYLAND_DISPLAY set, Wayland first and X11 when the
// compositor does not answer or cannot show us; else X11. An unknown forced
// value counts as unset.
inline std::vector<WindowBackend> backends_to_try(const char* forced, const char* wayland_display,
                                                  const char* host_window) {
  const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  if (set(host_window)) {
    return {WindowBackend::kX11};
  }
  const std::string_view force = forced != nullptr ? forced : "";
  if (force == "x11") {
    return {WindowBackend::kX11};
  }
  if (force == "wayland") {
    return {WindowBackend::kWayland};
  }
  if (set(wayland_display)) {
    return {WindowBackend::kWayland, WindowBackend::kX11};
  }
  return {WindowBackend::kX11};
}

}  // namespace orvanth

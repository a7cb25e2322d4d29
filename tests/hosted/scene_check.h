// What the hosted tests and benchmarks look at: the scene inside a host
// window (read back from the X server), the streams at the sound server,
// and a host window of the test's own.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanth::test {

struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, top row first
};

// What the window shows now, its inferiors included; nothing when it is gone.
std::optional<WindowImage> capture(Display* display, Window window);

// The scene is up: the backdrop's grey at the top middle and the many
// colours of planets and water below it.
bool shows_scene(const WindowImage& image);
// The share of pixels that differ between two pictures of the same size.
double changed_fraction(const WindowImage& a, const WindowImage& b);

bool scene_within(Display* display, Window window, std::chrono::milliseconds limit);
// Two pictures some frames apart differ: the scene is animated.
bool scene_moves(Display* display, Window window, std::chrono::milliseconds limit);

// The size of the largest child of a window: the renderer's own window
// inside a host.
struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};
Size window_size(Display* display, Window window);

// Streams playing into the test sound server now (pactl).
int sink_input_count();

}  // namespace orvanth::test

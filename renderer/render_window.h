// The renderer's one window with its GL context, and the frame loop. The
// loop, the view and their rules are the same on every platform; the window
// itself comes from a backend (renderer/impl_x11/ and renderer/impl_wayland/,
// chosen at run time by renderer/impl_linux/; renderer/impl_win32/), which
// implements orvanth::window below.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "renderer/placement.h"

// Module state of the window, one per process.
extern bool KeyState[256];      // by virtual-key code; only entry 27 is read
extern std::int32_t ViewWidth;  // scene size chosen at creation, pixels
extern std::int32_t ViewHeight;
struct CursorPoint {
  std::int32_t x;
  std::int32_t y;
};
extern CursorPoint StartCursor;  // pointer position when the loop began

// Window, pixel format, GL context, shown and focused, view set up,
// SetupScene run. False (everything released, nothing shown) when any of
// them fails.
bool CreateRenderWindow(int bits);

// Releases the GL context, the window and what the backend holds, each only
// if held; failures are ignored.
void DestroyRenderWindow();

// Viewport and a 45-degree perspective for a client area of this size.
void ResizeView(std::int32_t width, std::int32_t height);

// Creates the window, draws frames until Escape, the mouse test, a close
// request or the window's loss ends the loop, and cleans up. Hosted, only a
// close request and the loss count. Frames are paced to the display's
// refresh, unless kUnpacedSwitch is set in the environment.
int RunRenderer();

namespace orvanth {

// For benchmarks only: set to anything, the loop draws frames back to back,
// neither asking for one swap per refresh nor pacing itself.
inline constexpr char kUnpacedSwitch[] = "ORVANTH_BENCH_UNPACED";

// One frame of the loop: scene time from the tick, DrawFrame once per
// monitor (what lies on none cleared black), swap.
void draw_one_frame(std::uint32_t start_tick);

// What the loop has done since the process began, for benchmarks; read from
// any thread.
struct LoopCounts {
  std::atomic<std::uint64_t> frames{0};
  std::atomic<std::int64_t> water_steps{0};
};
const LoopCounts& loop_counts();

// What the backends' window procedures report to the loop.
//   A key went down or up: KeyState, and the Escape latch.
void key_changed(int virtual_key, bool down);
//   The client area has this size now, with these monitors (in window
//   coordinates, as in window::Opened): the view follows (ResizeView, or
//   one view per monitor).
void window_resized(int width, int height, std::vector<Monitor> monitors);

}  // namespace orvanth

// The window backend: one implementation per platform.
namespace orvanth::window {

// The window a backend has made.
struct Opened {
  int width = 0;  // client area, pixels
  int height = 0;
  // The monitors in window coordinates; the scene goes on each of them and
  // the rest is cleared black. Empty: the whole window is the scene's.
  std::vector<Monitor> monitors;
  // The primary monitor's refresh rate in hertz; 0 when unknown.
  double refresh_hz = 0.0;
  // False when drawing inside another program's window (a host's): no
  // cursor hide, no Escape or mouse test.
  bool full_screen = true;
  // Each monitor is a GL surface of its own (Wayland: one per output),
  // drawn in turn through next_surface(); width, height and monitors above
  // are then the first surface's.
  bool per_surface = false;
};

// Creates the window titled kRendererTitle, chooses the pixel format (RGBA,
// bits colour bits, double buffer, 16 depth bits), makes a GL context
// current on it, shows it, brings it to the front and gives it the focus.
// False, with whatever was made released, when any step fails.
bool open(int bits, Opened& opened);

// What one pass of the loop found in the window's queue.
enum class Message {
  kNone,     // nothing waiting: draw a frame
  kHandled,  // one message handled (keys and sizes reported as above)
  kQuit,     // a close request was answered: end the loop
  kLost,     // the window was taken away, or the process asked to end
};
Message next_message();

// Swaps the window's buffers, or with per_surface those of the surface made
// current last.
void swap_buffers();

// Per-surface backends: makes the next surface due for a frame current and
// gives its size in pixels; false once every due surface of this frame has
// had its turn (the next call starts the next frame). Others: false.
bool next_surface(int& width, int& height);

// Asks the GL for this many refreshes per swap (0: swaps as fast as drawn);
// false where the GL has no way to ask. The swap may still not wait.
bool set_swap_interval(int interval);

// Returns once a message is waiting or after this many microseconds,
// whichever comes first.
void wait_for_message(std::int64_t microseconds);

// The pointer in screen pixels (Wayland: pixels moved over our surfaces, from
// where it first entered); nothing when it cannot be read.
std::optional<CursorPoint> cursor_position();

// ShowCursor(FALSE / TRUE) for the frame loop.
void show_cursor(bool shown);

// Milliseconds of a monotonic clock, wrapping at 32 bits (GetTickCount).
std::uint32_t tick();

// Releases the GL context, the window and the rest, each only if held.
void close();

// Tells the shell that started the renderer, if it asked, that the first
// frame is on screen. Called once, after that frame's swap.
void first_frame_shown();

// A plain OK message box without owner, shown until answered; the texture
// loader's way to tell the user.
void show_message(const std::string& text, const std::string& caption);

}  // namespace orvanth::window

// The frame loop, the view and the window's life, the same on every
// platform: the backend (orvanth::window) gives the window, its messages and
// the pointer.
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdlib>
#include <utility>

#include "renderer/loop_rules.h"
#include "renderer/render_window.h"
#include "renderer/scene/scene.h"
#include "renderer/scene/water_clock.h"

bool KeyState[256] = {};
std::int32_t ViewWidth = 0;
std::int32_t ViewHeight = 0;
CursorPoint StartCursor = {0, 0};
std::int32_t SceneTime = 0;

namespace {

// The loop's own state beside the scene's globals: the window as the backend made it,
// the parts of it that show the scene, and the Escape taps since the last
// frame.
struct LoopState {
  bool open = false;
  orvanth::window::Opened window;
  std::vector<orvanth::Rect> scene_areas;
  bool split_view = false;  // the scene is not simply the whole window
  orvanth::EscapeLatch escape_tapped;
};
LoopState loop;
orvanth::LoopCounts counts;

// ResizeView for a window of this size: the whole of it, or with several
// monitors one view per monitor, set again before each one is drawn.
void place_view(int width, int height) {
  loop.scene_areas = orvanth::scene_areas(loop.window.monitors, width, height);
  loop.split_view = loop.scene_areas.size() != 1 ||
                    loop.scene_areas.front() != orvanth::Rect{0, 0, width, height};
  glDisable(GL_SCISSOR_TEST);
  const orvanth::Rect& first = loop.scene_areas.front();
  ResizeView(first.width, first.height);
}

// The viewport on one monitor's part, with that monitor's aspect; the
// scissor keeps the scene's clear inside it.
void view_area(const orvanth::Rect& area) {
  ResizeView(area.width, area.height);
  const orvanth::Rect gl = orvanth::gl_area(area, loop.window.height);
  glViewport(gl.x, gl.y, gl.width, gl.height);
  glScissor(gl.x, gl.y, gl.width, gl.height);
}

// What lies on no monitor is black.
void clear_black() {
  glDisable(GL_SCISSOR_TEST);
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0F, 0.0F, 0.0F, 0.0F);
  glClear(GL_COLOR_BUFFER_BIT);
  glPopAttrib();
  glEnable(GL_SCISSOR_TEST);
}

std::int64_t now_us() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Escape since the last frame, or the pointer far from where it was.
bool user_ended() {
  // Both are read every frame: the latch is cleared by each check.
  const bool escape = loop.escape_tapped.take() || KeyState[orvanth::kVirtualKeyEscape];
  if (escape) {
    return true;
  }
  const auto now = orvanth::window::cursor_position();
  return now && orvanth::cursor_moved_far(StartCursor.x, StartCursor.y, now->x, now->y);
}

}  // namespace

namespace orvanth {

void key_changed(int virtual_key, bool down) {
  if (virtual_key < 0 || virtual_key > 255) {
    return;
  }
  KeyState[virtual_key] = down;
  loop.escape_tapped.key(virtual_key, down);
}

void window_resized(int width, int height, std::vector<Monitor> monitors) {
  loop.window.width = width;
  loop.window.height = height;
  loop.window.monitors = std::move(monitors);
  place_view(width, height);
}

void draw_one_frame(std::uint32_t start_tick) {
  SceneTime = smooth_scene_time(SceneTime, elapsed_ticks(window::tick(), start_tick));
  if (loop.window.per_surface) {
    // One simulation here too: the first surface's DrawFrame steps the pool.
    int width = 0;
    int height = 0;
    while (window::next_surface(width, height)) {
      ResizeView(width, height);
      DrawFrame();
      window::swap_buffers();
    }
    counts.frames.fetch_add(1, std::memory_order_relaxed);
    counts.water_steps.store(pool_clock.stepped, std::memory_order_relaxed);
    return;
  }
  if (!loop.split_view) {
    DrawFrame();
  } else {
    clear_black();
    // One simulation: only the first DrawFrame finds pool steps due.
    for (const Rect& area : loop.scene_areas) {
      view_area(area);
      DrawFrame();
    }
  }
  window::swap_buffers();
  counts.frames.fetch_add(1, std::memory_order_relaxed);
  counts.water_steps.store(pool_clock.stepped, std::memory_order_relaxed);
}

const LoopCounts& loop_counts() { return counts; }

}  // namespace orvanth

bool CreateRenderWindow(int bits) {
  loop.window = {};
  if (!orvanth::window::open(bits, loop.window)) {
    return false;
  }
  loop.open = true;
  place_view(loop.window.width, loop.window.height);
  ViewWidth = loop.scene_areas.front().width;
  ViewHeight = loop.scene_areas.front().height;
  SetupScene();
  return true;
}

void DestroyRenderWindow() {
  orvanth::window::close();
  loop.open = false;
  loop.split_view = false;
}

void ResizeView(std::int32_t width, std::int32_t height) {
  if (height == 0) {
    height = 1;
  }
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

int RunRenderer() {
  using orvanth::window::Message;
  if (!CreateRenderWindow(32)) {
    return 0;
  }
  const bool full_screen = loop.window.full_screen;
  if (full_screen) {
    if (const auto start = orvanth::window::cursor_position()) {
      StartCursor = *start;
    }
    orvanth::window::show_cursor(false);
  }
  // A swap that waits for the display paces the loop by itself; where it
  // does not, the pacer waits out the rest of the refresh period, woken by
  // any message.
  const bool paced = std::getenv(orvanth::kUnpacedSwitch) == nullptr;
  orvanth::window::set_swap_interval(paced ? 1 : 0);
  orvanth::FramePacer pacer(paced ? orvanth::frame_period_us(loop.window.refresh_hz) : 0);
  const std::uint32_t start_tick = orvanth::window::tick();
  bool first_frame = true;
  bool done = false;
  while (!done) {
    switch (orvanth::window::next_message()) {
      case Message::kQuit:
      case Message::kLost:
        done = true;
        break;
      case Message::kHandled:
        break;
      case Message::kNone:
        if (const std::int64_t wait = pacer.wait_us(now_us()); wait > 0) {
          orvanth::window::wait_for_message(wait);
          break;
        }
        pacer.frame_started(now_us());
        orvanth::draw_one_frame(start_tick);
        if (first_frame) {
          orvanth::window::first_frame_shown();
          first_frame = false;
        }
        done = full_screen && user_ended();
        break;
    }
  }
  if (full_screen) {
    orvanth::window::show_cursor(true);
  }
  DestroyRenderWindow();
  return 0;
}

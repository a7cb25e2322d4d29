// The frame loop, the view and the window's life, the same on every
// platform: the backend (orvanth::window) gives the window, its messages and
// the pointer.
#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>

#include "renderer/loop_rules.h"
#include "renderer/render_window.h"
#include "renderer/scene/scene.h"

bool KeyState[256] = {};
std::int32_t ViewWidth = 0;
std::int32_t ViewHeight = 0;
CursorPoint StartCursor = {0, 0};
std::int32_t SceneTime = 0;

namespace {

// The loop's state beside the design's: the window as the backend made it,
// the scene's part of it, and the Escape taps since the last frame.
struct LoopState {
  bool open = false;
  orvanth::window::Opened window;
  orvanth::Rect scene_area{};
  bool split_view = false;  // the scene is only part of the window
  orvanth::EscapeLatch escape_tapped;
};
LoopState Loop;

// ResizeView for the scene's part of a window of this size; with several
// monitors the viewport moves onto that part and the scissor keeps the
// scene's clear inside it.
void place_view(int width, int height) {
  Loop.scene_area = orvanth::scene_area(Loop.window.monitors, width, height);
  Loop.split_view = Loop.scene_area != orvanth::Rect{0, 0, width, height};
  ResizeView(Loop.scene_area.width, Loop.scene_area.height);
  if (Loop.split_view) {
    const orvanth::Rect gl = orvanth::gl_area(Loop.scene_area, height);
    glViewport(gl.x, gl.y, gl.width, gl.height);
    glScissor(gl.x, gl.y, gl.width, gl.height);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
}

// What lies outside the scene's part is black.
void clear_outside_scene() {
  glDisable(GL_SCISSOR_TEST);
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0F, 0.0F, 0.0F, 0.0F);
  glClear(GL_COLOR_BUFFER_BIT);
  glPopAttrib();
  glEnable(GL_SCISSOR_TEST);
}

// Escape since the last frame, or the pointer far from where it was.
bool user_ended() {
  // Both are read every frame: the latch is cleared by each check.
  const bool escape = Loop.escape_tapped.take() || KeyState[orvanth::kVirtualKeyEscape];
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
  Loop.escape_tapped.key(virtual_key, down);
}

void window_resized(int width, int height, std::vector<Monitor> monitors) {
  Loop.window.width = width;
  Loop.window.height = height;
  Loop.window.monitors = std::move(monitors);
  place_view(width, height);
}

void draw_one_frame(std::uint32_t start_tick) {
  SceneTime = smooth_scene_time(SceneTime, elapsed_ticks(window::tick(), start_tick));
  if (Loop.split_view) {
    clear_outside_scene();
  }
  DrawFrame();
  window::swap_buffers();
}

}  // namespace orvanth

bool CreateRenderWindow(int bits) {
  Loop.window = {};
  if (!orvanth::window::open(bits, Loop.window)) {
    return false;
  }
  Loop.open = true;
  place_view(Loop.window.width, Loop.window.height);
  ViewWidth = Loop.scene_area.width;
  ViewHeight = Loop.scene_area.height;
  SetupScene();
  return true;
}

void DestroyRenderWindow() {
  orvanth::window::close();
  Loop.open = false;
  Loop.split_view = false;
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
  const bool full_screen = Loop.window.full_screen;
  if (full_screen) {
    if (const auto start = orvanth::window::cursor_position()) {
      StartCursor = *start;
    }
    orvanth::window::show_cursor(false);
  }
  const std::uint32_t start_tick = orvanth::window::tick();
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
        orvanth::draw_one_frame(start_tick);
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

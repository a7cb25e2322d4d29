// The renderer's window on Wayland: an overlay layer surface on every output
// (wlr layer shell: all edges, exclusive zone -1, the keyboard exclusively),
// or where the compositor has none a full-screen xdg_toplevel per output; one
// EGL context with desktop GL shared by one EGL surface per output, each
// drawn in turn when the compositor's frame callback says it is due; the
// pointer and keyboard of the seat.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>
#include <vector>

#include "common/window_titles.h"
#include "renderer/impl_linux/backend_calls.h"
#include "renderer/impl_linux/end_signals.h"
#include "renderer/impl_x11/x11_keys.h"
#include "renderer/loop_rules.h"
#include "renderer/surface_pointer.h"
#include "wayland/wlr-layer-shell-unstable-v1-client.h"
#include "wayland/xdg-shell-client.h"

namespace {

// Set to "xdg", the full-screen xdg_toplevel is used even where the
// compositor has the layer shell.
constexpr char kShellVariable[] = "ORVANTH_WAYLAND_SHELL";
// How long the compositor may take to place the first surfaces.
constexpr int kConfigureLimitMs = 10000;
// The longest one pass of the loop waits when no surface is due, so that
// signals and the end of the loop are looked at often enough.
constexpr int kIdleWaitMs = 100;
constexpr std::uint32_t kEvdevEscape = 1;  // KEY_ESC

// One output and the surface that covers it.
struct Output {
  wl_output* output = nullptr;
  std::uint32_t global = 0;  // the registry's name, for its removal
  int scale = 1;
  int mode_width = 0;  // current mode, pixels
  int mode_height = 0;
  int refresh_mhz = 0;
  wl_surface* surface = nullptr;
  zwlr_layer_surface_v1* layer = nullptr;
  xdg_surface* xdg = nullptr;
  xdg_toplevel* toplevel = nullptr;
  wl_egl_window* egl_window = nullptr;
  EGLSurface egl_surface = EGL_NO_SURFACE;
  int width = 0;  // logical size the compositor configured
  int height = 0;
  int pending_width = 0;  // xdg: from the toplevel's configure, applied on the surface's
  int pending_height = 0;
  bool configured = false;
  bool closed = false;           // the compositor closed the layer surface
  wl_callback* frame = nullptr;  // the frame callback asked for with the last swap
  bool due = true;               // no frame shown yet, or the last one's callback came
};

struct WaylandWindow {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  zwlr_layer_shell_v1* layer_shell = nullptr;
  xdg_wm_base* wm_base = nullptr;
  bool use_xdg = false;
  wl_seat* seat = nullptr;
  wl_pointer* pointer = nullptr;
  wl_keyboard* keyboard = nullptr;
  std::uint32_t enter_serial = 0;
  bool pointer_inside = false;
  xkb_context* xkb = nullptr;
  xkb_keymap* keymap = nullptr;
  xkb_state* key_state = nullptr;
  std::vector<std::unique_ptr<Output>> outputs;
  EGLDisplay egl_display = EGL_NO_DISPLAY;
  EGLConfig egl_config = nullptr;
  EGLContext egl_context = EGL_NO_CONTEXT;
  bool surfaces_wanted = false;  // EGL is up: outputs get their surfaces
  bool paced = true;             // frames wait for the frame callbacks
  bool cursor_hidden = false;
  bool quit_posted = false;   // a toplevel's close request
  bool lost = false;          // the display went, or a surface was closed
  std::size_t next_turn = 0;  // next_surface's place in outputs
  Output* current = nullptr;
  orvanth::SurfacePointer pointer_track;
};
WaylandWindow wl;

Output* output_of(const wl_surface* surface) {
  for (auto& output : wl.outputs) {
    if (output->surface != nullptr && output->surface == surface) {
      return output.get();
    }
  }
  return nullptr;
}

// ---- surfaces ----

// The compositor gave the surface this logical size: the EGL window follows,
// in buffer pixels at the output's scale.
void apply_size(Output& out, int width, int height) {
  if (width <= 0 || height <= 0) {
    // A toplevel left to choose: the output's mode.
    width = std::max(1, out.mode_width / std::max(1, out.scale));
    height = std::max(1, out.mode_height / std::max(1, out.scale));
  }
  out.width = width;
  out.height = height;
  const int pixels_w = width * out.scale;
  const int pixels_h = height * out.scale;
  wl_surface_set_buffer_scale(out.surface, out.scale);
  if (out.egl_window == nullptr) {
    out.egl_window = wl_egl_window_create(out.surface, pixels_w, pixels_h);
    if (out.egl_window != nullptr) {
      out.egl_surface =
          eglCreateWindowSurface(wl.egl_display, wl.egl_config,
                                 reinterpret_cast<EGLNativeWindowType>(out.egl_window), nullptr);
    }
    if (out.egl_surface != EGL_NO_SURFACE &&
        eglMakeCurrent(wl.egl_display, out.egl_surface, out.egl_surface, wl.egl_context)) {
      // The frame callbacks pace the loop; a swap must never wait on them.
      eglSwapInterval(wl.egl_display, 0);
    }
  } else {
    wl_egl_window_resize(out.egl_window, pixels_w, pixels_h, 0, 0);
  }
  out.configured = out.egl_surface != EGL_NO_SURFACE;
}

void layer_configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                     std::uint32_t width, std::uint32_t height) {
  auto& out = *static_cast<Output*>(data);
  zwlr_layer_surface_v1_ack_configure(layer, serial);
  apply_size(out, static_cast<int>(width), static_cast<int>(height));
}

void layer_closed(void* data, zwlr_layer_surface_v1* /*layer*/) {
  static_cast<Output*>(data)->closed = true;
}

const zwlr_layer_surface_v1_listener kLayerListener = {layer_configure, layer_closed};

void xdg_configure(void* data, xdg_surface* surface, std::uint32_t serial) {
  auto& out = *static_cast<Output*>(data);
  xdg_surface_ack_configure(surface, serial);
  apply_size(out, out.pending_width, out.pending_height);
}

const xdg_surface_listener kXdgSurfaceListener = {xdg_configure};

void toplevel_configure(void* data, xdg_toplevel* /*toplevel*/, std::int32_t width,
                        std::int32_t height, wl_array* /*states*/) {
  auto& out = *static_cast<Output*>(data);
  out.pending_width = width;
  out.pending_height = height;
}

void toplevel_close(void* /*data*/, xdg_toplevel* /*toplevel*/) { wl.quit_posted = true; }

void toplevel_bounds(void* /*data*/, xdg_toplevel* /*toplevel*/, std::int32_t /*width*/,
                     std::int32_t /*height*/) {}

void toplevel_capabilities(void* /*data*/, xdg_toplevel* /*toplevel*/, wl_array* /*list*/) {}

const xdg_toplevel_listener kToplevelListener = {toplevel_configure, toplevel_close,
                                                 toplevel_bounds, toplevel_capabilities};

void wm_ping(void* /*data*/, xdg_wm_base* base, std::uint32_t serial) {
  xdg_wm_base_pong(base, serial);
}

const xdg_wm_base_listener kWmBaseListener = {wm_ping};

// The surface that covers the output, not yet configured.
void make_surface(Output& out) {
  out.surface = wl_compositor_create_surface(wl.compositor);
  if (out.surface == nullptr) {
    return;
  }
  if (!wl.use_xdg) {
    out.layer = zwlr_layer_shell_v1_get_layer_surface(wl.layer_shell, out.surface, out.output,
                                                      ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "orvanth");
    zwlr_layer_surface_v1_add_listener(out.layer, &kLayerListener, &out);
    zwlr_layer_surface_v1_set_anchor(
        out.layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                       ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_size(out.layer, 0, 0);
    zwlr_layer_surface_v1_set_exclusive_zone(out.layer, -1);
    // 1 is "exclusive" (a plain true before version 4).
    zwlr_layer_surface_v1_set_keyboard_interactivity(out.layer, 1);
  } else {
    out.xdg = xdg_wm_base_get_xdg_surface(wl.wm_base, out.surface);
    xdg_surface_add_listener(out.xdg, &kXdgSurfaceListener, &out);
    out.toplevel = xdg_surface_get_toplevel(out.xdg);
    xdg_toplevel_add_listener(out.toplevel, &kToplevelListener, &out);
    xdg_toplevel_set_title(out.toplevel, orvanth::kRendererTitle);
    xdg_toplevel_set_app_id(out.toplevel, "orvanth");
    xdg_toplevel_set_fullscreen(out.toplevel, out.output);
  }
  wl_surface_commit(out.surface);
}

void drop_surface(Output& out) {
  if (wl.current == &out) {
    wl.current = nullptr;
  }
  wl.pointer_track.surface_gone(out.surface);
  if (out.frame != nullptr) {
    wl_callback_destroy(out.frame);
    out.frame = nullptr;
  }
  if (out.egl_surface != EGL_NO_SURFACE) {
    eglMakeCurrent(wl.egl_display, EGL_NO_SURFACE, EGL_NO_SURFACE, wl.egl_context);
    eglDestroySurface(wl.egl_display, out.egl_surface);
    out.egl_surface = EGL_NO_SURFACE;
  }
  if (out.egl_window != nullptr) {
    wl_egl_window_destroy(out.egl_window);
    out.egl_window = nullptr;
  }
  if (out.layer != nullptr) {
    zwlr_layer_surface_v1_destroy(out.layer);
    out.layer = nullptr;
  }
  if (out.toplevel != nullptr) {
    xdg_toplevel_destroy(out.toplevel);
    out.toplevel = nullptr;
  }
  if (out.xdg != nullptr) {
    xdg_surface_destroy(out.xdg);
    out.xdg = nullptr;
  }
  if (out.surface != nullptr) {
    wl_surface_destroy(out.surface);
    out.surface = nullptr;
  }
  out.configured = false;
}

void frame_done(void* data, wl_callback* callback, std::uint32_t /*time*/) {
  auto& out = *static_cast<Output*>(data);
  wl_callback_destroy(callback);
  if (out.frame == callback) {
    out.frame = nullptr;
  }
  out.due = true;
}

const wl_callback_listener kFrameListener = {frame_done};

// ---- outputs ----

void output_geometry(void* /*data*/, wl_output* /*output*/, std::int32_t /*x*/, std::int32_t /*y*/,
                     std::int32_t /*mm_w*/, std::int32_t /*mm_h*/, std::int32_t /*subpixel*/,
                     const char* /*make*/, const char* /*model*/, std::int32_t /*transform*/) {}

void output_mode(void* data, wl_output* /*output*/, std::uint32_t flags, std::int32_t width,
                 std::int32_t height, std::int32_t refresh) {
  if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
    auto& out = *static_cast<Output*>(data);
    out.mode_width = width;
    out.mode_height = height;
    out.refresh_mhz = refresh;
  }
}

void output_done(void* /*data*/, wl_output* /*output*/) {}

void output_scale(void* data, wl_output* /*output*/, std::int32_t factor) {
  static_cast<Output*>(data)->scale = std::max(1, factor);
}

void output_name(void* /*data*/, wl_output* /*output*/, const char* /*name*/) {}
void output_description(void* /*data*/, wl_output* /*output*/, const char* /*text*/) {}

const wl_output_listener kOutputListener = {output_geometry, output_mode, output_done,
                                            output_scale,    output_name, output_description};

// ---- input ----

void pointer_enter(void* /*data*/, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                   wl_fixed_t x, wl_fixed_t y) {
  wl.enter_serial = serial;
  wl.pointer_inside = true;
  if (wl.cursor_hidden) {
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  }
  if (output_of(surface) != nullptr) {
    wl.pointer_track.enter(surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
  }
}

void pointer_leave(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                   wl_surface* /*surface*/) {
  wl.pointer_inside = false;
}

void pointer_motion(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*time*/, wl_fixed_t x,
                    wl_fixed_t y) {
  wl.pointer_track.motion(wl_fixed_to_double(x), wl_fixed_to_double(y));
}

// Clicks and wheels do not end the renderer.
void pointer_button(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
                    std::uint32_t) {}
void pointer_axis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void pointer_frame(void*, wl_pointer*) {}
void pointer_axis_source(void*, wl_pointer*, std::uint32_t) {}
void pointer_axis_stop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void pointer_axis_discrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

// Filled by name: later versions of the library add events we never bind.
wl_pointer_listener pointer_listener() {
  wl_pointer_listener listener{};
  listener.enter = pointer_enter;
  listener.leave = pointer_leave;
  listener.motion = pointer_motion;
  listener.button = pointer_button;
  listener.axis = pointer_axis;
  listener.frame = pointer_frame;
  listener.axis_source = pointer_axis_source;
  listener.axis_stop = pointer_axis_stop;
  listener.axis_discrete = pointer_axis_discrete;
  return listener;
}
const wl_pointer_listener kPointerListener = pointer_listener();

void drop_keymap() {
  if (wl.key_state != nullptr) {
    xkb_state_unref(wl.key_state);
    wl.key_state = nullptr;
  }
  if (wl.keymap != nullptr) {
    xkb_keymap_unref(wl.keymap);
    wl.keymap = nullptr;
  }
}

void keyboard_keymap(void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t format,
                     std::int32_t fd, std::uint32_t size) {
  drop_keymap();
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && wl.xkb != nullptr) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      wl.keymap = xkb_keymap_new_from_buffer(
          wl.xkb, static_cast<const char*>(text), strnlen(static_cast<const char*>(text), size),
          XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
    }
    if (wl.keymap != nullptr) {
      wl.key_state = xkb_state_new(wl.keymap);
    }
  }
  ::close(fd);
}

void keyboard_enter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void keyboard_leave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}

void keyboard_key(void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                  std::uint32_t /*time*/, std::uint32_t key, std::uint32_t state) {
  const bool down = state == WL_KEYBOARD_KEY_STATE_PRESSED;
  int virtual_key = 0;
  if (wl.key_state != nullptr) {
    // xkb keycodes are evdev's plus 8; keysyms are X's.
    virtual_key = orvanth::virtual_key_for(xkb_state_key_get_one_sym(wl.key_state, key + 8));
  } else if (key == kEvdevEscape) {
    virtual_key = orvanth::kVirtualKeyEscape;
  }
  if (virtual_key != 0) {
    orvanth::key_changed(virtual_key, down);
  }
}

void keyboard_modifiers(void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                        std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                        std::uint32_t group) {
  if (wl.key_state != nullptr) {
    xkb_state_update_mask(wl.key_state, depressed, latched, locked, 0, 0, group);
  }
}

void keyboard_repeat(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener kKeyboardListener = {keyboard_keymap,    keyboard_enter,
                                                keyboard_leave,     keyboard_key,
                                                keyboard_modifiers, keyboard_repeat};

void seat_capabilities(void* /*data*/, wl_seat* seat, std::uint32_t capabilities) {
  const bool has_pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  if (has_pointer && wl.pointer == nullptr) {
    wl.pointer = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(wl.pointer, &kPointerListener, nullptr);
  } else if (!has_pointer && wl.pointer != nullptr) {
    wl_pointer_release(wl.pointer);
    wl.pointer = nullptr;
    wl.pointer_inside = false;
  }
  const bool has_keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (has_keyboard && wl.keyboard == nullptr) {
    wl.keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(wl.keyboard, &kKeyboardListener, nullptr);
  } else if (!has_keyboard && wl.keyboard != nullptr) {
    wl_keyboard_release(wl.keyboard);
    wl.keyboard = nullptr;
  }
}

void seat_name(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {seat_capabilities, seat_name};

// ---- globals ----

void registry_global(void* /*data*/, wl_registry* registry, std::uint32_t name,
                     const char* interface, std::uint32_t version) {
  const std::string_view kind = interface;
  if (kind == wl_compositor_interface.name) {
    wl.compositor = static_cast<wl_compositor*>(
        wl_registry_bind(registry, name, &wl_compositor_interface, std::min(version, 4U)));
  } else if (kind == zwlr_layer_shell_v1_interface.name) {
    wl.layer_shell = static_cast<zwlr_layer_shell_v1*>(
        wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, std::min(version, 4U)));
  } else if (kind == xdg_wm_base_interface.name) {
    wl.wm_base = static_cast<xdg_wm_base*>(
        wl_registry_bind(registry, name, &xdg_wm_base_interface, std::min(version, 2U)));
    xdg_wm_base_add_listener(wl.wm_base, &kWmBaseListener, nullptr);
  } else if (kind == wl_seat_interface.name && wl.seat == nullptr) {
    wl.seat = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5U)));
    wl_seat_add_listener(wl.seat, &kSeatListener, nullptr);
  } else if (kind == wl_output_interface.name) {
    auto out = std::make_unique<Output>();
    out->global = name;
    out->output = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 4U)));
    wl_output_add_listener(out->output, &kOutputListener, out.get());
    if (wl.surfaces_wanted) {
      make_surface(*out);
    }
    wl.outputs.push_back(std::move(out));
  }
}

// An output unplugged: its surface goes with it.
void registry_global_remove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t name) {
  const auto found = std::find_if(wl.outputs.begin(), wl.outputs.end(),
                                  [name](const auto& out) { return out->global == name; });
  if (found == wl.outputs.end()) {
    return;
  }
  drop_surface(**found);
  if (wl_output_get_version((*found)->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
    wl_output_release((*found)->output);
  } else {
    wl_output_destroy((*found)->output);
  }
  wl.outputs.erase(found);
  wl.next_turn = 0;
}

const wl_registry_listener kRegistryListener = {registry_global, registry_global_remove};

// ---- the display's events ----

// Reads what the compositor sent, waiting at most timeout_ms (0: not at
// all), and dispatches it; false when the connection is gone.
bool pump(int timeout_ms) {
  if (wl_display_dispatch_pending(wl.display) < 0) {
    return false;
  }
  while (wl_display_prepare_read(wl.display) != 0) {
    if (wl_display_dispatch_pending(wl.display) < 0) {
      return false;
    }
  }
  if (wl_display_flush(wl.display) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(wl.display);
    return false;
  }
  pollfd connection{wl_display_get_fd(wl.display), POLLIN, 0};
  const timespec limit{timeout_ms / 1000, static_cast<long>(timeout_ms % 1000) * 1000000L};
  // A signal ends the wait early (EINTR), which is what it should do.
  if (ppoll(&connection, 1, &limit, nullptr) > 0) {
    if ((connection.revents & (POLLERR | POLLHUP)) != 0 && (connection.revents & POLLIN) == 0) {
      wl_display_cancel_read(wl.display);
      return false;
    }
    if (wl_display_read_events(wl.display) < 0) {
      return false;
    }
  } else {
    wl_display_cancel_read(wl.display);
  }
  return wl_display_dispatch_pending(wl.display) >= 0;
}

// A closed layer surface whose output is still there: the compositor took
// the picture away, which ends the renderer. An output's removal closes its
// surface too, and the removal arrives in the same burst: the round trip
// lets it come first.
bool surface_closed() {
  const auto is_closed = [](const auto& out) { return out->closed; };
  if (std::none_of(wl.outputs.begin(), wl.outputs.end(), is_closed)) {
    return false;
  }
  if (wl_display_roundtrip(wl.display) < 0) {
    wl.lost = true;
    return true;
  }
  return std::any_of(wl.outputs.begin(), wl.outputs.end(), is_closed);
}

bool any_due() {
  return std::any_of(wl.outputs.begin(), wl.outputs.end(),
                     [](const auto& out) { return out->configured && (out->due || !wl.paced); });
}

// ---- set-up ----

// EGL on the display with desktop GL; a config without alpha, so the
// compositor shows the surfaces opaque.
bool start_egl() {
  const auto get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  wl.egl_display = get_platform_display != nullptr
                       ? get_platform_display(EGL_PLATFORM_WAYLAND_KHR, wl.display, nullptr)
                       : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(wl.display));
  if (wl.egl_display == EGL_NO_DISPLAY || !eglInitialize(wl.egl_display, nullptr, nullptr) ||
      !eglBindAPI(EGL_OPENGL_API)) {
    return false;
  }
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_WINDOW_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_DEPTH_SIZE,
                           16,
                           EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(wl.egl_display, wanted, configs, 64, &count) || count == 0) {
    return false;
  }
  wl.egl_config = configs[0];
  for (EGLint i = 0; i < count; ++i) {
    EGLint alpha = 0;
    eglGetConfigAttrib(wl.egl_display, configs[i], EGL_ALPHA_SIZE, &alpha);
    if (alpha == 0) {
      wl.egl_config = configs[i];
      break;
    }
  }
  // No attributes: Mesa's compatibility profile, where the fixed-function
  // scene runs as it is.
  wl.egl_context = eglCreateContext(wl.egl_display, wl.egl_config, EGL_NO_CONTEXT, nullptr);
  return wl.egl_context != EGL_NO_CONTEXT;
}

bool all_configured() {
  return std::all_of(wl.outputs.begin(), wl.outputs.end(),
                     [](const auto& out) { return out->configured || out->surface == nullptr; });
}

std::uint32_t now_ms() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

namespace orvanth::window {

namespace wayland_impl {

void close();

bool open(int /*bits*/, Opened& opened) {
  watch_end_signals();
  wl.display = wl_display_connect(nullptr);
  if (wl.display == nullptr) {
    std::fprintf(stderr, "Orvanth.data: no Wayland compositor answers on \"%s\"\n",
                 std::getenv("WAYLAND_DISPLAY") != nullptr ? std::getenv("WAYLAND_DISPLAY") : "");
    return false;
  }
  wl.registry = wl_display_get_registry(wl.display);
  wl_registry_add_listener(wl.registry, &kRegistryListener, nullptr);
  // Globals, then what the outputs and the seat say of themselves.
  if (wl_display_roundtrip(wl.display) < 0 || wl_display_roundtrip(wl.display) < 0) {
    close();
    return false;
  }
  const char* shell = std::getenv(kShellVariable);
  wl.use_xdg = wl.layer_shell == nullptr || (shell != nullptr && std::string_view(shell) == "xdg");
  if (wl.compositor == nullptr || (wl.use_xdg && wl.wm_base == nullptr)) {
    std::fprintf(stderr,
                 "Orvanth.data: the Wayland compositor offers no shell to cover the screen\n");
    close();
    return false;
  }
  wl.xkb = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  if (!start_egl()) {
    std::fprintf(stderr,
                 "Orvanth.data: no OpenGL through EGL on the Wayland display; nothing drawn\n");
    close();
    return false;
  }
  wl.surfaces_wanted = true;
  for (auto& out : wl.outputs) {
    make_surface(*out);
  }
  // Every surface placed, or at least one when the limit comes.
  const std::uint32_t began = now_ms();
  while (!all_configured() && now_ms() - began < kConfigureLimitMs) {
    if (!pump(kIdleWaitMs) || surface_closed()) {
      close();
      return false;
    }
  }
  const auto first = std::find_if(wl.outputs.begin(), wl.outputs.end(),
                                  [](const auto& out) { return out->configured; });
  if (first == wl.outputs.end() || !eglMakeCurrent(wl.egl_display, (*first)->egl_surface,
                                                   (*first)->egl_surface, wl.egl_context)) {
    std::fprintf(stderr, "Orvanth.data: the Wayland compositor showed no surface; nothing drawn\n");
    close();
    return false;
  }
  const Output& shown = **first;
  opened.width = shown.width * shown.scale;
  opened.height = shown.height * shown.scale;
  opened.refresh_hz = shown.refresh_mhz / 1000.0;
  opened.full_screen = true;
  opened.per_surface = true;
  return true;
}

Message next_message() {
  loop_begun();
  if (wl.quit_posted) {
    return Message::kQuit;
  }
  if (wl.lost || end_requested()) {
    return Message::kLost;
  }
  if (!pump(0)) {
    wl.lost = true;
    return Message::kLost;
  }
  if (surface_closed()) {
    wl.lost = true;
    return Message::kLost;
  }
  if (wl.quit_posted) {
    return Message::kQuit;
  }
  if (any_due()) {
    return Message::kNone;
  }
  // Nothing to draw until a frame callback comes.
  if (!pump(kIdleWaitMs)) {
    wl.lost = true;
  }
  return Message::kHandled;
}

bool next_surface(int& width, int& height) {
  while (wl.next_turn < wl.outputs.size()) {
    Output& out = *wl.outputs[wl.next_turn++];
    if (!out.configured || (wl.paced && !out.due) ||
        !eglMakeCurrent(wl.egl_display, out.egl_surface, out.egl_surface, wl.egl_context)) {
      continue;
    }
    wl.current = &out;
    width = out.width * out.scale;
    height = out.height * out.scale;
    return true;
  }
  wl.next_turn = 0;
  wl.current = nullptr;
  return false;
}

void swap_buffers() {
  Output* out = wl.current;
  if (out == nullptr) {
    return;
  }
  if (wl.paced) {
    // Asked before the swap, whose commit carries it.
    out->frame = wl_surface_frame(out->surface);
    wl_callback_add_listener(out->frame, &kFrameListener, out);
    out->due = false;
  }
  eglSwapBuffers(wl.egl_display, out->egl_surface);
}

bool set_swap_interval(int interval) {
  // The frame callbacks do what a swap interval would.
  wl.paced = interval > 0;
  return true;
}

void wait_for_message(std::int64_t microseconds) {
  if (end_requested()) {
    return;
  }
  if (!pump(static_cast<int>((microseconds + 999) / 1000))) {
    wl.lost = true;
  }
}

std::optional<CursorPoint> cursor_position() {
  return CursorPoint{wl.pointer_track.x(), wl.pointer_track.y()};
}

void show_cursor(bool shown) {
  wl.cursor_hidden = !shown;
  if (wl.pointer != nullptr && wl.pointer_inside && !shown) {
    wl_pointer_set_cursor(wl.pointer, wl.enter_serial, nullptr, 0, 0);
    wl_display_flush(wl.display);
  }
}

void close() {
  if (wl.display != nullptr) {
    for (auto& out : wl.outputs) {
      drop_surface(*out);
      wl_output_destroy(out->output);
    }
    wl.outputs.clear();
    if (wl.egl_display != EGL_NO_DISPLAY) {
      eglMakeCurrent(wl.egl_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
      if (wl.egl_context != EGL_NO_CONTEXT) {
        eglDestroyContext(wl.egl_display, wl.egl_context);
      }
      eglTerminate(wl.egl_display);
    }
    if (wl.pointer != nullptr) {
      wl_pointer_destroy(wl.pointer);
    }
    if (wl.keyboard != nullptr) {
      wl_keyboard_destroy(wl.keyboard);
    }
    if (wl.seat != nullptr) {
      wl_seat_destroy(wl.seat);
    }
    if (wl.layer_shell != nullptr) {
      zwlr_layer_shell_v1_destroy(wl.layer_shell);
    }
    if (wl.wm_base != nullptr) {
      xdg_wm_base_destroy(wl.wm_base);
    }
    if (wl.compositor != nullptr) {
      wl_compositor_destroy(wl.compositor);
    }
    if (wl.registry != nullptr) {
      wl_registry_destroy(wl.registry);
    }
    wl_display_flush(wl.display);
    wl_display_disconnect(wl.display);
  }
  drop_keymap();
  if (wl.xkb != nullptr) {
    xkb_context_unref(wl.xkb);
  }
  wl = WaylandWindow{};
}

}  // namespace wayland_impl

const BackendCalls kWaylandCalls = {
    "Wayland",
    wayland_impl::open,
    wayland_impl::next_message,
    wayland_impl::swap_buffers,
    wayland_impl::next_surface,
    wayland_impl::set_swap_interval,
    wayland_impl::wait_for_message,
    wayland_impl::cursor_position,
    wayland_impl::show_cursor,
    wayland_impl::close,
};

}  // namespace orvanth::window

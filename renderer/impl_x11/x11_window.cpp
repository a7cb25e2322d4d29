// The renderer's window on X11 with GLX: a borderless override-redirect
// window over the whole screen (or, hosted, a child filling the host's
// window), its GL context, its events, the pointer and the cursor.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string_view>

#include "common/impl_x11/cursor.h"
#include "common/impl_x11/window_hints.h"
#include "common/window_id.h"
#include "common/window_titles.h"
#include "renderer/impl_linux/backend_calls.h"
#include "renderer/impl_linux/end_signals.h"
#include "renderer/impl_x11/x11_keys.h"
#include "renderer/impl_x11/x11_window.h"
#include "renderer/render_window.h"

namespace {

// Stand-ins for the module instance, window, device context and rendering
// context: the display connection, the X window and its colormap, the GLX
// context. QuitPosted is the WM_QUIT waiting in the queue.
struct X11Window {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  GLXContext context = nullptr;
  Cursor arrow_cursor = 0;
  Cursor blank_cursor = 0;
  Atom delete_atom = 0;
  bool quit_posted = false;
  int last_width = 0;
  int last_height = 0;
  // Hosted mode: the host's window that ours fills; 0 for the full-screen run.
  Window host_window = 0;
  // Our window or the host's destroyed by someone else.
  bool window_lost = false;
  int glx_error_base = 0;
  std::uint32_t title_deadline = 0;
};
X11Window xwin;

constexpr std::uint32_t kTitlePeriod = 1000;
constexpr int kGlxBadDrawable = 2;

bool full_screen() { return xwin.host_window == 0; }

// Errors are ignored, except that one naming our window or the host's means
// another client destroyed it.
int note_x_error(Display* /*display*/, XErrorEvent* error) {
  const bool ours = error->resourceid != 0 &&
                    (error->resourceid == xwin.window || error->resourceid == xwin.host_window);
  const int code = error->error_code;
  if (ours && (code == BadWindow || code == BadDrawable ||
               (xwin.glx_error_base != 0 && code == xwin.glx_error_base + kGlxBadDrawable))) {
    xwin.window_lost = true;
  }
  return 0;
}

// Xlib ends the process when this returns; the X server has already undone
// the cursor hide with the connection.
int lost_display(Display* /*display*/) {
  static const char kLine[] = "Orvanth.data: the X display connection was lost\n";
  [[maybe_unused]] const auto written = write(2, kLine, sizeof kLine - 1);
  _exit(0);
}

// Hosted mode: the host's id, and the end of the shell ends us too. False
// (one line on stderr) when the variable names no window.
bool adopt_host(const char* text) {
  const auto id = orvanth::parse_window_id(text);
  if (!id) {
    std::fprintf(stderr, "Orvanth.data: XSCREENSAVER_WINDOW \"%s\" is not a window id\n", text);
    return false;
  }
  xwin.host_window = *id;
  const pid_t parent = getppid();
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The shell may have died before the request above took effect.
  return parent != 1 && getppid() == parent;
}

void set_title() { orvanth::x11::set_title(xwin.display, xwin.window, orvanth::kRendererTitle); }

void set_class_and_protocols() {
  xwin.delete_atom = orvanth::x11::set_class_and_close_protocol(
      xwin.display, xwin.window, "Orvanth.data", orvanth::kRendererClass);
}

// RGBA 8 bits a channel, double buffered, 16 depth bits; alpha if it can.
XVisualInfo* choose_visual() {
  const int screen = DefaultScreen(xwin.display);
  int with_alpha[] = {GLX_RGBA,
                      GLX_DOUBLEBUFFER,
                      GLX_RED_SIZE,
                      8,
                      GLX_GREEN_SIZE,
                      8,
                      GLX_BLUE_SIZE,
                      8,
                      GLX_DEPTH_SIZE,
                      16,
                      GLX_ALPHA_SIZE,
                      8,
                      None};
  XVisualInfo* visual = glXChooseVisual(xwin.display, screen, with_alpha);
  if (visual == nullptr) {
    with_alpha[10] = None;
    visual = glXChooseVisual(xwin.display, screen, with_alpha);
  }
  return visual;
}

Cursor make_blank_cursor() {
  const char bits[1] = {0};
  const Pixmap pixmap =
      XCreateBitmapFromData(xwin.display, DefaultRootWindow(xwin.display), bits, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(xwin.display, pixmap, pixmap, &black, &black, 0, 0);
  XFreePixmap(xwin.display, pixmap);
  return cursor;
}

// Full screen: borderless at (0, 0), screen-sized; override-redirect keeps it
// above panels and works with or without a window manager. Hosted: a plain
// child filling the host, which keeps cursor and input.
bool create_x_window(XVisualInfo* visual, int width, int height) {
  const Window root = RootWindow(xwin.display, visual->screen);
  xwin.colormap = XCreateColormap(xwin.display, root, visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = xwin.colormap;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;
  unsigned long mask = CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask;
  if (full_screen()) {
    xwin.arrow_cursor = XCreateFontCursor(xwin.display, XC_left_ptr);
    attributes.override_redirect = True;
    attributes.cursor = xwin.arrow_cursor;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask |
                            VisibilityChangeMask;
    mask |= CWOverrideRedirect | CWCursor;
  } else {
    attributes.event_mask = StructureNotifyMask;
  }
  xwin.window = XCreateWindow(xwin.display, full_screen() ? root : xwin.host_window, 0, 0,
                              static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                              visual->depth, InputOutput, visual->visual, mask, &attributes);
  if (xwin.window == 0) {
    return false;
  }
  if (full_screen()) {
    set_title();
    set_class_and_protocols();
    // Windows that other clients map on top.
    XSelectInput(xwin.display, root, SubstructureNotifyMask);
  }
  return true;
}

Bool is_map_notify(Display* /*display*/, XEvent* event, XPointer window) {
  return static_cast<Bool>(event->type == MapNotify &&
                           event->xmap.window == *reinterpret_cast<Window*>(window));
}

// Shown, on top and holding the keyboard focus.
void show_and_focus() {
  XMapRaised(xwin.display, xwin.window);
  XEvent event{};
  XIfEvent(xwin.display, &event, is_map_notify, reinterpret_cast<XPointer>(&xwin.window));
  XSetInputFocus(xwin.display, xwin.window, RevertToParent, CurrentTime);
  XSync(xwin.display, False);
}

// The monitors RandR 1.5 reports, when full screen; none without it.
std::vector<orvanth::Monitor> monitors() {
  std::vector<orvanth::Monitor> found;
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!full_screen() || !XRRQueryExtension(xwin.display, &event_base, &error_base) ||
      !XRRQueryVersion(xwin.display, &major, &minor) || major * 100 + minor < 105) {
    return found;
  }
  int count = 0;
  XRRMonitorInfo* info =
      XRRGetMonitors(xwin.display, DefaultRootWindow(xwin.display), True, &count);
  for (int i = 0; i < count; ++i) {
    found.push_back({{info[i].x, info[i].y, info[i].width, info[i].height}, info[i].primary != 0});
  }
  if (info != nullptr) {
    XRRFreeMonitors(info);
  }
  return found;
}

// The refresh rate of the primary output's mode (else the first lit CRTC's),
// from RandR 1.3; 0 when no mode reports one (Xvfb's have no timings).
double refresh_rate() {
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(xwin.display, &event_base, &error_base) ||
      !XRRQueryVersion(xwin.display, &major, &minor) || major * 100 + minor < 103) {
    return 0.0;
  }
  const Window root = DefaultRootWindow(xwin.display);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(xwin.display, root);
  if (resources == nullptr) {
    return 0.0;
  }
  RRCrtc chosen = None;
  if (const RROutput primary = XRRGetOutputPrimary(xwin.display, root); primary != None) {
    if (XRROutputInfo* output = XRRGetOutputInfo(xwin.display, resources, primary)) {
      chosen = output->crtc;
      XRRFreeOutputInfo(output);
    }
  }
  double rate = 0.0;
  for (int c = -1; c < resources->ncrtc && rate == 0.0; ++c) {
    const RRCrtc crtc_id = c < 0 ? chosen : resources->crtcs[c];
    XRRCrtcInfo* crtc =
        crtc_id == None ? nullptr : XRRGetCrtcInfo(xwin.display, resources, crtc_id);
    if (crtc == nullptr) {
      continue;
    }
    for (int m = 0; m < resources->nmode; ++m) {
      const XRRModeInfo& mode = resources->modes[m];
      if (mode.id == crtc->mode && mode.hTotal != 0 && mode.vTotal != 0) {
        rate =
            static_cast<double>(mode.dotClock) / (static_cast<double>(mode.hTotal) * mode.vTotal);
        rate *= (mode.modeFlags & RR_Interlace) != 0 ? 2.0 : 1.0;
        rate /= (mode.modeFlags & RR_DoubleScan) != 0 ? 2.0 : 1.0;
      }
    }
    XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
  return rate;
}

bool has_glx_extension(std::string_view name) {
  const char* list = glXQueryExtensionsString(xwin.display, DefaultScreen(xwin.display));
  std::string_view rest = list != nullptr ? list : "";
  while (!rest.empty()) {
    const auto end = rest.find(' ');
    if (rest.substr(0, end) == name) {
      return true;
    }
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  }
  return false;
}

// A screen saver stays in front of what others map and keeps the keyboard.
void keep_screen(const XEvent& event) {
  switch (event.type) {
    case VisibilityNotify:
      if (event.xvisibility.window == xwin.window &&
          event.xvisibility.state != VisibilityUnobscured) {
        XRaiseWindow(xwin.display, xwin.window);
      }
      break;
    case MapNotify:
      if (event.xmap.window != xwin.window) {
        XRaiseWindow(xwin.display, xwin.window);
      }
      break;
    case FocusOut:
      if (event.xfocus.window == xwin.window &&
          (event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed) &&
          event.xfocus.detail != NotifyInferior) {
        XSetInputFocus(xwin.display, xwin.window, RevertToParent, CurrentTime);
      }
      break;
    default:
      break;
  }
}

// The display, the host when hosted, and GLX; false (one line on stderr)
// when any is missing.
bool connect() {
  const char* host = std::getenv("XSCREENSAVER_WINDOW");
  if (host != nullptr && !adopt_host(host)) {
    return false;
  }
  xwin.display = XOpenDisplay(nullptr);
  if (xwin.display == nullptr) {
    std::fprintf(stderr, "Orvanth.data: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return false;
  }
  XSetErrorHandler(note_x_error);
  XSetIOErrorHandler(lost_display);
  int glx_event_base = 0;
  if (!glXQueryExtension(xwin.display, &xwin.glx_error_base, &glx_event_base)) {
    std::fprintf(stderr, "Orvanth.data: the X display \"%s\" has no OpenGL (GLX); nothing drawn\n",
                 DisplayString(xwin.display));
    return false;
  }
  return true;
}

// The size of the window to make: the screen's, or the host window's.
bool window_size(int& width, int& height) {
  const int screen = DefaultScreen(xwin.display);
  width = DisplayWidth(xwin.display, screen);
  height = DisplayHeight(xwin.display, screen);
  if (full_screen()) {
    return true;
  }
  XWindowAttributes host{};
  if (XGetWindowAttributes(xwin.display, xwin.host_window, &host) == 0) {
    std::fprintf(stderr, "Orvanth.data: the host window 0x%lx does not exist\n", xwin.host_window);
    return false;
  }
  // Its size and its end.
  XSelectInput(xwin.display, xwin.host_window, StructureNotifyMask);
  width = host.width;
  height = host.height;
  return true;
}

// The window with a GL context current on it; X fixes a window's visual when
// it is created, so the pixel format is chosen before the window.
bool make_window_and_context(int width, int height) {
  XVisualInfo* visual = choose_visual();
  const bool made = visual != nullptr && create_x_window(visual, width, height) &&
                    (xwin.context = glXCreateContext(xwin.display, visual, nullptr, True)) &&
                    glXMakeCurrent(xwin.display, xwin.window, xwin.context) != False;
  if (!made) {
    std::fprintf(stderr,
                 "Orvanth.data: no double-buffered RGB OpenGL %s on \"%s\"; nothing drawn\n",
                 visual == nullptr ? "visual" : "context", DisplayString(xwin.display));
  }
  if (visual != nullptr) {
    XFree(visual);
  }
  return made;
}

}  // namespace

void RenderWindowProc(const XEvent& event) {
  switch (event.type) {
    case ConfigureNotify:
      if (event.xconfigure.window == xwin.host_window && xwin.host_window != 0) {
        XResizeWindow(xwin.display, xwin.window, static_cast<unsigned>(event.xconfigure.width),
                      static_cast<unsigned>(event.xconfigure.height));
      } else if (event.xconfigure.window == xwin.window &&
                 (event.xconfigure.width != xwin.last_width ||
                  event.xconfigure.height != xwin.last_height)) {
        // WM_SIZE comes only when the size changes.
        xwin.last_width = event.xconfigure.width;
        xwin.last_height = event.xconfigure.height;
        orvanth::window_resized(xwin.last_width, xwin.last_height, monitors());
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == xwin.window ||
          (xwin.host_window != 0 && event.xdestroywindow.window == xwin.host_window)) {
        xwin.window_lost = true;
      }
      break;
    case ClientMessage:
      if (event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == xwin.delete_atom) {
        xwin.quit_posted = true;
      }
      break;
    case KeyPress:
    case KeyRelease: {
      XKeyEvent key = event.xkey;
      orvanth::key_changed(orvanth::virtual_key_for(XLookupKeysym(&key, 0)),
                           event.type == KeyPress);
      break;
    }
    default:
      if (full_screen()) {
        keep_screen(event);
      }
      break;
  }
}

namespace orvanth::window {

namespace x11_impl {

bool open(int /*bits*/, Opened& opened) {
  // The visual asks for 8 bits a channel, which is what 32 meant.
  watch_end_signals();
  int width = 0;
  int height = 0;
  if (!connect() || !window_size(width, height) || !make_window_and_context(width, height)) {
    close();
    return false;
  }
  if (full_screen()) {
    xwin.blank_cursor = make_blank_cursor();
    show_and_focus();
  } else {
    XMapWindow(xwin.display, xwin.window);
  }
  xwin.last_width = width;
  xwin.last_height = height;
  xwin.title_deadline = tick() + kTitlePeriod;
  opened.width = width;
  opened.height = height;
  opened.monitors = monitors();
  opened.refresh_hz = refresh_rate();
  opened.full_screen = full_screen();
  return true;
}

Message next_message() {
  // From the loop's first pass on, a signal ends the loop in order.
  loop_begun();
  if (xwin.quit_posted) {
    return Message::kQuit;
  }
  if (xwin.window_lost || end_requested()) {
    return Message::kLost;
  }
  if (XPending(xwin.display) > 0) {
    XEvent event{};
    XNextEvent(xwin.display, &event);
    RenderWindowProc(event);
    return Message::kHandled;
  }
  // The title timer: a deadline checked between frames.
  if (full_screen() && static_cast<std::int32_t>(tick() - xwin.title_deadline) >= 0) {
    set_title();
    xwin.title_deadline += kTitlePeriod;
    return Message::kHandled;
  }
  return Message::kNone;
}

void swap_buffers() { glXSwapBuffers(xwin.display, xwin.window); }

bool set_swap_interval(int interval) {
  using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
  using SwapIntervalMesa = int (*)(unsigned);
  if (has_glx_extension("GLX_EXT_swap_control")) {
    if (const auto set = reinterpret_cast<SwapIntervalExt>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")))) {
      set(xwin.display, xwin.window, interval);
      return true;
    }
  }
  if (has_glx_extension("GLX_MESA_swap_control")) {
    if (const auto set = reinterpret_cast<SwapIntervalMesa>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")))) {
      return set(static_cast<unsigned>(interval)) == 0;
    }
  }
  return false;
}

void wait_for_message(std::int64_t microseconds) {
  // Events Xlib has read already would not wake poll.
  if (XEventsQueued(xwin.display, QueuedAfterFlush) > 0 || end_requested()) {
    return;
  }
  pollfd connection{ConnectionNumber(xwin.display), POLLIN, 0};
  const timespec limit{static_cast<time_t>(microseconds / 1000000),
                       static_cast<long>(microseconds % 1000000) * 1000};
  // A signal ends the wait early (EINTR), which is what it should do.
  ppoll(&connection, 1, &limit, nullptr);
}

std::optional<CursorPoint> cursor_position() {
  const auto position = x11::pointer_position(xwin.display);
  if (!position) {
    return std::nullopt;
  }
  return CursorPoint{position->x, position->y};
}

void show_cursor(bool shown) {
  if (!shown) {
    XDefineCursor(xwin.display, xwin.window, xwin.blank_cursor);
    x11::hide_cursor(xwin.display);
  } else {
    x11::show_cursor(xwin.display);
    XDefineCursor(xwin.display, xwin.window, xwin.arrow_cursor);
  }
  XFlush(xwin.display);
}

void close() {
  if (xwin.display != nullptr) {
    if (xwin.context != nullptr) {
      glXMakeCurrent(xwin.display, None, nullptr);
      glXDestroyContext(xwin.display, xwin.context);
    }
    if (xwin.window != 0) {
      XDestroyWindow(xwin.display, xwin.window);
    }
    for (const Cursor cursor : {xwin.arrow_cursor, xwin.blank_cursor}) {
      if (cursor != 0) {
        XFreeCursor(xwin.display, cursor);
      }
    }
    if (xwin.colormap != 0) {
      XFreeColormap(xwin.display, xwin.colormap);
    }
    XCloseDisplay(xwin.display);
  }
  // The host stays adopted: a window opened again goes into the same one.
  const Window host = xwin.host_window;
  xwin = X11Window{};
  xwin.host_window = host;
}

}  // namespace x11_impl

const BackendCalls kX11Calls = {
    "X11",
    x11_impl::open,
    x11_impl::next_message,
    x11_impl::swap_buffers,
    [](int& /*width*/, int& /*height*/) { return false; },
    x11_impl::set_swap_interval,
    x11_impl::wait_for_message,
    x11_impl::cursor_position,
    x11_impl::show_cursor,
    x11_impl::close,
};

}  // namespace orvanth::window

#include "renderer/render_window.h"

#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "common/window_id.h"
#include "platform/x11/cursor.h"
#include "renderer/loop_rules.h"
#include "renderer/placement.h"
#include "renderer/scene/scene.h"

bool KeyState[256] = {};
std::int32_t ViewWidth = 0;
std::int32_t ViewHeight = 0;
CursorPoint StartCursor = {0, 0};
std::int32_t SceneTime = 0;

namespace {

// Stand-ins for the module instance, window, device context and rendering
// context: the display connection, the X window and its colormap, the GLX
// context. QuitPosted is the WM_QUIT waiting in the queue.
Display* RenderDisplay = nullptr;
Window RenderWindow = 0;
Colormap RenderColormap = 0;
GLXContext RenderContext = nullptr;
Cursor ArrowCursor = 0;
Cursor BlankCursor = 0;
Atom DeleteAtom = 0;
bool QuitPosted = false;
std::int32_t LastWidth = 0;
std::int32_t LastHeight = 0;
orvanth::EscapeLatch EscapeTapped;

// Hosted mode: the host's window that ours fills; 0 for the full-screen run.
Window HostWindow = 0;
// Our window or the host's destroyed by someone else.
bool WindowLost = false;
int GlxErrorBase = 0;
// The scene's part of the window when it is not all of it (several monitors).
bool SplitView = false;
orvanth::Rect SceneArea{};

// 0 before the loop (a signal then ends the process at once), 1 in it, 2
// once a signal asked it to end.
volatile std::sig_atomic_t SignalState = 0;

constexpr const char* kTitle = "Lumevar_Delphi";
constexpr std::uint32_t kTitlePeriod = 1000;
constexpr int kGlxBadDrawable = 2;

bool full_screen() { return HostWindow == 0; }

// Errors are ignored, except that one naming our window or the host's means
// another client destroyed it.
int note_x_error(Display* /*display*/, XErrorEvent* error) {
  const bool ours = error->resourceid != 0 &&
                    (error->resourceid == RenderWindow || error->resourceid == HostWindow);
  const int code = error->error_code;
  if (ours && (code == BadWindow || code == BadDrawable ||
               (GlxErrorBase != 0 && code == GlxErrorBase + kGlxBadDrawable))) {
    WindowLost = true;
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

void end_on_signal(int /*number*/) {
  if (SignalState == 0) {
    _exit(0);
  }
  SignalState = 2;
}

void watch_signals() {
  struct sigaction action{};
  action.sa_handler = end_on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(number, &action, nullptr);
  }
}

// Hosted mode: the host's id, and the end of the shell ends us too. False
// (one line on stderr) when the variable names no window.
bool adopt_host(const char* text) {
  const auto id = orvanth::parse_window_id(text);
  if (!id) {
    std::fprintf(stderr, "Orvanth.data: XSCREENSAVER_WINDOW \"%s\" is not a window id\n", text);
    return false;
  }
  HostWindow = *id;
  const pid_t parent = getppid();
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The shell may have died before the request above took effect.
  return parent != 1 && getppid() == parent;
}

void set_title() {
  const auto* title = reinterpret_cast<const unsigned char*>(kTitle);
  const int length = static_cast<int>(std::strlen(kTitle));
  XChangeProperty(RenderDisplay, RenderWindow, XA_WM_NAME, XA_STRING, 8, PropModeReplace, title,
                  length);
  XChangeProperty(RenderDisplay, RenderWindow, XInternAtom(RenderDisplay, "_NET_WM_NAME", False),
                  XInternAtom(RenderDisplay, "UTF8_STRING", False), 8, PropModeReplace, title,
                  length);
}

void set_class_and_protocols() {
  XClassHint hint{};
  char name[] = "Orvanth.data";
  char klass[] = "OpenGL";
  hint.res_name = name;
  hint.res_class = klass;
  XSetClassHint(RenderDisplay, RenderWindow, &hint);
  DeleteAtom = XInternAtom(RenderDisplay, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(RenderDisplay, RenderWindow, &DeleteAtom, 1);
}

// RGBA 8 bits a channel, double buffered, 16 depth bits; alpha if it can.
XVisualInfo* choose_visual() {
  const int screen = DefaultScreen(RenderDisplay);
  int with_alpha[] = {GLX_RGBA,       GLX_DOUBLEBUFFER, GLX_RED_SIZE,   8,
                      GLX_GREEN_SIZE, 8,                GLX_BLUE_SIZE,  8,
                      GLX_DEPTH_SIZE, 16,               GLX_ALPHA_SIZE, 8,
                      None};
  XVisualInfo* visual = glXChooseVisual(RenderDisplay, screen, with_alpha);
  if (visual == nullptr) {
    with_alpha[10] = None;
    visual = glXChooseVisual(RenderDisplay, screen, with_alpha);
  }
  return visual;
}

Cursor make_blank_cursor() {
  const char bits[1] = {0};
  const Pixmap pixmap =
      XCreateBitmapFromData(RenderDisplay, DefaultRootWindow(RenderDisplay), bits, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(RenderDisplay, pixmap, pixmap, &black, &black, 0, 0);
  XFreePixmap(RenderDisplay, pixmap);
  return cursor;
}

// Full screen: borderless at (0, 0), screen-sized; override-redirect keeps it
// above panels and works with or without a window manager. Hosted: a plain
// child filling the host, which keeps cursor and input.
bool create_x_window(XVisualInfo* visual, int width, int height) {
  const Window root = RootWindow(RenderDisplay, visual->screen);
  RenderColormap = XCreateColormap(RenderDisplay, root, visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = RenderColormap;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;
  unsigned long mask = CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask;
  if (full_screen()) {
    ArrowCursor = XCreateFontCursor(RenderDisplay, XC_left_ptr);
    attributes.override_redirect = True;
    attributes.cursor = ArrowCursor;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask |
                            FocusChangeMask | VisibilityChangeMask;
    mask |= CWOverrideRedirect | CWCursor;
  } else {
    attributes.event_mask = StructureNotifyMask;
  }
  RenderWindow = XCreateWindow(RenderDisplay, full_screen() ? root : HostWindow, 0, 0,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                               visual->depth, InputOutput, visual->visual, mask, &attributes);
  if (RenderWindow == 0) {
    return false;
  }
  if (full_screen()) {
    set_title();
    set_class_and_protocols();
    // Windows that other clients map on top.
    XSelectInput(RenderDisplay, root, SubstructureNotifyMask);
  }
  return true;
}

Bool is_map_notify(Display* /*display*/, XEvent* event, XPointer window) {
  return static_cast<Bool>(event->type == MapNotify &&
                           event->xmap.window == *reinterpret_cast<Window*>(window));
}

// Shown, on top and holding the keyboard focus.
void show_and_focus() {
  XMapRaised(RenderDisplay, RenderWindow);
  XEvent event{};
  XIfEvent(RenderDisplay, &event, is_map_notify, reinterpret_cast<XPointer>(&RenderWindow));
  XSetInputFocus(RenderDisplay, RenderWindow, RevertToParent, CurrentTime);
  XSync(RenderDisplay, False);
}

// The monitors RandR 1.5 reports; none without it.
std::vector<orvanth::Monitor> monitors() {
  std::vector<orvanth::Monitor> found;
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(RenderDisplay, &event_base, &error_base) ||
      !XRRQueryVersion(RenderDisplay, &major, &minor) || major * 100 + minor < 105) {
    return found;
  }
  int count = 0;
  XRRMonitorInfo* info =
      XRRGetMonitors(RenderDisplay, DefaultRootWindow(RenderDisplay), True, &count);
  for (int i = 0; i < count; ++i) {
    found.push_back({{info[i].x, info[i].y, info[i].width, info[i].height}, info[i].primary != 0});
  }
  if (info != nullptr) {
    XRRFreeMonitors(info);
  }
  return found;
}

// The scene's rectangle in a window of this size: all of it when hosted or
// on one monitor, else the primary monitor's part.
orvanth::Rect scene_area_of(int width, int height) {
  if (!full_screen()) {
    return {0, 0, width, height};
  }
  return orvanth::scene_area(monitors(), width, height);
}

// ResizeView for the scene's part of a window of this size; with several
// monitors the viewport moves onto that part and the scissor keeps the
// scene's clear inside it.
void place_view(int width, int height) {
  SceneArea = scene_area_of(width, height);
  SplitView = SceneArea != orvanth::Rect{0, 0, width, height};
  ResizeView(SceneArea.width, SceneArea.height);
  if (SplitView) {
    const orvanth::Rect gl = orvanth::gl_area(SceneArea, height);
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

bool read_cursor(CursorPoint& point) {
  const auto position = orvanth::x11::pointer_position(RenderDisplay);
  if (!position) {
    return false;
  }
  point = {position->x, position->y};
  return true;
}

void set_loop_cursor(bool hidden) {
  if (hidden) {
    XDefineCursor(RenderDisplay, RenderWindow, BlankCursor);
    orvanth::x11::hide_cursor(RenderDisplay);
  } else {
    orvanth::x11::show_cursor(RenderDisplay);
    XDefineCursor(RenderDisplay, RenderWindow, ArrowCursor);
  }
  XFlush(RenderDisplay);
}

// One pass of the loop that handles a message; false when none was waiting.
bool handle_message(std::uint32_t& title_deadline) {
  if (XPending(RenderDisplay) > 0) {
    XEvent event{};
    XNextEvent(RenderDisplay, &event);
    RenderWindowProc(event);
    return true;
  }
  if (full_screen() && static_cast<std::int32_t>(orvanth::current_tick() - title_deadline) >= 0) {
    set_title();
    title_deadline += kTitlePeriod;
    return true;
  }
  return false;
}

// A screen saver stays in front of what others map and keeps the keyboard.
void keep_screen(const XEvent& event) {
  switch (event.type) {
    case VisibilityNotify:
      if (event.xvisibility.window == RenderWindow &&
          event.xvisibility.state != VisibilityUnobscured) {
        XRaiseWindow(RenderDisplay, RenderWindow);
      }
      break;
    case MapNotify:
      if (event.xmap.window != RenderWindow) {
        XRaiseWindow(RenderDisplay, RenderWindow);
      }
      break;
    case FocusOut:
      if (event.xfocus.window == RenderWindow &&
          (event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed) &&
          event.xfocus.detail != NotifyInferior) {
        XSetInputFocus(RenderDisplay, RenderWindow, RevertToParent, CurrentTime);
      }
      break;
    default:
      break;
  }
}

}  // namespace

bool CreateRenderWindow(int bits) {
  (void)bits;  // the visual asks for 8 bits a channel, which is what 32 meant
  const char* host = std::getenv("XSCREENSAVER_WINDOW");
  if (host != nullptr && !adopt_host(host)) {
    return false;
  }
  RenderDisplay = XOpenDisplay(nullptr);
  if (RenderDisplay == nullptr) {
    std::fprintf(stderr, "Orvanth.data: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return false;
  }
  XSetErrorHandler(note_x_error);
  XSetIOErrorHandler(lost_display);
  int glx_event_base = 0;
  if (!glXQueryExtension(RenderDisplay, &GlxErrorBase, &glx_event_base)) {
    std::fprintf(stderr, "Orvanth.data: the X display \"%s\" has no OpenGL (GLX); nothing drawn\n",
                 DisplayString(RenderDisplay));
    DestroyRenderWindow();
    return false;
  }
  const int screen = DefaultScreen(RenderDisplay);
  int width = DisplayWidth(RenderDisplay, screen);
  int height = DisplayHeight(RenderDisplay, screen);
  if (!full_screen()) {
    XWindowAttributes host{};
    if (XGetWindowAttributes(RenderDisplay, HostWindow, &host) == 0) {
      std::fprintf(stderr, "Orvanth.data: the host window 0x%lx does not exist\n", HostWindow);
      DestroyRenderWindow();
      return false;
    }
    // Its size and its end.
    XSelectInput(RenderDisplay, HostWindow, StructureNotifyMask);
    width = host.width;
    height = host.height;
  }
  // X fixes a window's visual when it is created, so the pixel format is
  // chosen before the window.
  XVisualInfo* visual = choose_visual();
  const bool made = visual != nullptr && create_x_window(visual, width, height) &&
                    (RenderContext = glXCreateContext(RenderDisplay, visual, nullptr, True)) &&
                    glXMakeCurrent(RenderDisplay, RenderWindow, RenderContext) != False;
  if (visual != nullptr) {
    XFree(visual);
  }
  if (!made) {
    std::fprintf(stderr, "Orvanth.data: no double-buffered RGB OpenGL %s on \"%s\"; nothing drawn\n",
                 visual == nullptr ? "visual" : "context", DisplayString(RenderDisplay));
    DestroyRenderWindow();
    return false;
  }
  if (full_screen()) {
    BlankCursor = make_blank_cursor();
    show_and_focus();
  } else {
    XMapWindow(RenderDisplay, RenderWindow);
  }
  LastWidth = width;
  LastHeight = height;
  place_view(width, height);
  ViewWidth = SceneArea.width;
  ViewHeight = SceneArea.height;
  SetupScene();
  return true;
}

void DestroyRenderWindow() {
  if (RenderDisplay == nullptr) {
    return;
  }
  if (RenderContext != nullptr) {
    glXMakeCurrent(RenderDisplay, None, nullptr);
    glXDestroyContext(RenderDisplay, RenderContext);
    RenderContext = nullptr;
  }
  if (RenderWindow != 0) {
    XDestroyWindow(RenderDisplay, RenderWindow);
    RenderWindow = 0;
  }
  for (Cursor* cursor : {&ArrowCursor, &BlankCursor}) {
    if (*cursor != 0) {
      XFreeCursor(RenderDisplay, *cursor);
      *cursor = 0;
    }
  }
  if (RenderColormap != 0) {
    XFreeColormap(RenderDisplay, RenderColormap);
    RenderColormap = 0;
  }
  XCloseDisplay(RenderDisplay);
  RenderDisplay = nullptr;
  QuitPosted = false;
  WindowLost = false;
  SplitView = false;
  LastWidth = 0;
  LastHeight = 0;
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

void RenderWindowProc(const XEvent& event) {
  switch (event.type) {
    case ConfigureNotify:
      if (event.xconfigure.window == HostWindow && HostWindow != 0) {
        XResizeWindow(RenderDisplay, RenderWindow, static_cast<unsigned>(event.xconfigure.width),
                      static_cast<unsigned>(event.xconfigure.height));
      } else if (event.xconfigure.window == RenderWindow &&
                 (event.xconfigure.width != LastWidth || event.xconfigure.height != LastHeight)) {
        // WM_SIZE comes only when the size changes.
        LastWidth = event.xconfigure.width;
        LastHeight = event.xconfigure.height;
        place_view(LastWidth, LastHeight);
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == RenderWindow ||
          (HostWindow != 0 && event.xdestroywindow.window == HostWindow)) {
        WindowLost = true;
      }
      break;
    case ClientMessage:
      if (event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == DeleteAtom) {
        QuitPosted = true;
      }
      break;
    case KeyPress:
    case KeyRelease: {
      XKeyEvent key = event.xkey;
      const int code = orvanth::virtual_key_for(XLookupKeysym(&key, 0));
      KeyState[code] = event.type == KeyPress;
      EscapeTapped.key(code, event.type == KeyPress);
      break;
    }
    default:
      if (full_screen()) {
        keep_screen(event);
      }
      break;
  }
}

namespace orvanth {

Display* render_display() { return RenderDisplay; }
Window render_window() { return RenderWindow; }

void draw_one_frame(std::uint32_t start_tick) {
  SceneTime = smooth_scene_time(SceneTime, elapsed_ticks(current_tick(), start_tick));
  if (SplitView) {
    clear_outside_scene();
  }
  DrawFrame();
  glXSwapBuffers(RenderDisplay, RenderWindow);
}

}  // namespace orvanth

int RunRenderer() {
  watch_signals();
  if (!CreateRenderWindow(32)) {
    return 0;
  }
  if (full_screen()) {
    read_cursor(StartCursor);
    set_loop_cursor(true);
  }
  const std::uint32_t start_tick = orvanth::current_tick();
  std::uint32_t title_deadline = start_tick + kTitlePeriod;
  SignalState = 1;
  bool done = false;
  while (!done) {
    if (QuitPosted || WindowLost || SignalState == 2) {
      done = true;
    } else if (!handle_message(title_deadline)) {
      orvanth::draw_one_frame(start_tick);
      if (full_screen()) {
        // Both are read every frame: the latch is cleared by each check.
        const bool escape = EscapeTapped.take() || KeyState[orvanth::kVirtualKeyEscape];
        CursorPoint now = StartCursor;
        done = escape || (read_cursor(now) && orvanth::cursor_moved_far(StartCursor.x, StartCursor.y,
                                                                         now.x, now.y));
      }
    }
  }
  if (full_screen()) {
    set_loop_cursor(false);
  }
  DestroyRenderWindow();
  return 0;
}

#include "renderer/render_window.h"

#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "renderer/loop_rules.h"
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

constexpr const char* kTitle = "Lumevar_Delphi";
constexpr std::uint32_t kTitlePeriod = 1000;

int ignore_x_errors(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

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

// Borderless, at (0, 0), screen-sized; override-redirect keeps it above
// panels and works with or without a window manager.
bool create_x_window(XVisualInfo* visual) {
  const Window root = RootWindow(RenderDisplay, visual->screen);
  RenderColormap = XCreateColormap(RenderDisplay, root, visual->visual, AllocNone);
  ArrowCursor = XCreateFontCursor(RenderDisplay, XC_left_ptr);
  XSetWindowAttributes attributes{};
  attributes.colormap = RenderColormap;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;
  attributes.override_redirect = True;
  attributes.cursor = ArrowCursor;
  attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
  RenderWindow = XCreateWindow(
      RenderDisplay, root, 0, 0, static_cast<unsigned>(ViewWidth),
      static_cast<unsigned>(ViewHeight), 0, visual->depth, InputOutput, visual->visual,
      CWColormap | CWBorderPixel | CWBackPixmap | CWOverrideRedirect | CWCursor | CWEventMask,
      &attributes);
  if (RenderWindow == 0) {
    return false;
  }
  set_title();
  set_class_and_protocols();
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

bool read_cursor(CursorPoint& point) {
  Window root = 0;
  Window child = 0;
  int root_x = 0;
  int root_y = 0;
  int win_x = 0;
  int win_y = 0;
  unsigned int mask = 0;
  if (XQueryPointer(RenderDisplay, DefaultRootWindow(RenderDisplay), &root, &child, &root_x,
                    &root_y, &win_x, &win_y, &mask) == False) {
    return false;
  }
  point = {root_x, root_y};
  return true;
}

void set_loop_cursor(bool hidden) {
  int event_base = 0;
  int error_base = 0;
  const bool fixes = XFixesQueryExtension(RenderDisplay, &event_base, &error_base) != False;
  const Window root = DefaultRootWindow(RenderDisplay);
  if (hidden) {
    XDefineCursor(RenderDisplay, RenderWindow, BlankCursor);
    if (fixes) {
      XFixesHideCursor(RenderDisplay, root);
    }
  } else {
    if (fixes) {
      XFixesShowCursor(RenderDisplay, root);
    }
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
  if (static_cast<std::int32_t>(orvanth::current_tick() - title_deadline) >= 0) {
    set_title();
    title_deadline += kTitlePeriod;
    return true;
  }
  return false;
}

}  // namespace

bool CreateRenderWindow(int bits) {
  (void)bits;  // the visual asks for 8 bits a channel, which is what 32 meant
  RenderDisplay = XOpenDisplay(nullptr);
  if (RenderDisplay == nullptr) {
    std::fprintf(stderr, "Orvanth.data: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return false;
  }
  XSetErrorHandler(ignore_x_errors);
  const int screen = DefaultScreen(RenderDisplay);
  ViewWidth = DisplayWidth(RenderDisplay, screen);
  ViewHeight = DisplayHeight(RenderDisplay, screen);
  // X fixes a window's visual when it is created, so the pixel format is
  // chosen before the window.
  XVisualInfo* visual = choose_visual();
  const bool made = visual != nullptr && create_x_window(visual) &&
                    (RenderContext = glXCreateContext(RenderDisplay, visual, nullptr, True)) &&
                    glXMakeCurrent(RenderDisplay, RenderWindow, RenderContext) != False;
  if (visual != nullptr) {
    XFree(visual);
  }
  if (!made) {
    DestroyRenderWindow();
    return false;
  }
  BlankCursor = make_blank_cursor();
  show_and_focus();
  ResizeView(ViewWidth, ViewHeight);
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
      // WM_SIZE comes only when the size changes.
      if (event.xconfigure.width != LastWidth || event.xconfigure.height != LastHeight) {
        LastWidth = event.xconfigure.width;
        LastHeight = event.xconfigure.height;
        ResizeView(LastWidth, LastHeight);
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
      break;
    }
    default:
      break;
  }
}

namespace orvanth {

Display* render_display() { return RenderDisplay; }
Window render_window() { return RenderWindow; }

void draw_one_frame(std::uint32_t start_tick) {
  SceneTime = smooth_scene_time(SceneTime, elapsed_ticks(current_tick(), start_tick));
  DrawFrame();
  glXSwapBuffers(RenderDisplay, RenderWindow);
}

}  // namespace orvanth

int RunRenderer() {
  if (!CreateRenderWindow(32)) {
    return 0;
  }
  read_cursor(StartCursor);
  set_loop_cursor(true);
  const std::uint32_t start_tick = orvanth::current_tick();
  std::uint32_t title_deadline = start_tick + kTitlePeriod;
  bool done = false;
  while (!done) {
    if (QuitPosted) {
      done = true;
    } else if (!handle_message(title_deadline)) {
      orvanth::draw_one_frame(start_tick);
      CursorPoint now = StartCursor;
      done = KeyState[orvanth::kVirtualKeyEscape] ||
             (read_cursor(now) &&
              orvanth::cursor_moved_far(StartCursor.x, StartCursor.y, now.x, now.y));
    }
  }
  set_loop_cursor(false);
  DestroyRenderWindow();
  return 0;
}

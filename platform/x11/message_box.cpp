#include "platform/x11/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>

namespace orvanth {

namespace {

constexpr int kPad = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

struct Box {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  XFontStruct* font = nullptr;
  Atom delete_atom = 0;
  int width = 0;
  int height = 0;
  int button_x = 0;
  int button_y = 0;
};

int text_width(const Box& box, const std::string& text) {
  if (box.font == nullptr) {
    return static_cast<int>(text.size()) * 6;
  }
  return XTextWidth(box.font, text.c_str(), static_cast<int>(text.size()));
}

void set_title(const Box& box, const std::string& caption) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(caption.c_str());
  const int length = static_cast<int>(caption.size());
  XChangeProperty(box.display, box.window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, bytes,
                  length);
  XChangeProperty(box.display, box.window, XInternAtom(box.display, "_NET_WM_NAME", False),
                  XInternAtom(box.display, "UTF8_STRING", False), 8, PropModeReplace, bytes,
                  length);
  XClassHint hint{};
  std::string name = "orvanth";
  std::string klass = "MessageBox";
  hint.res_name = name.data();
  hint.res_class = klass.data();
  XSetClassHint(box.display, box.window, &hint);
  XSetWMProtocols(box.display, box.window, const_cast<Atom*>(&box.delete_atom), 1);
}

bool create(Box& box, const std::string& text, const std::string& caption) {
  Display* d = box.display;
  const int screen = DefaultScreen(d);
  box.font = XLoadQueryFont(d, "fixed");
  const int line = box.font != nullptr ? box.font->ascent + box.font->descent : 13;
  box.width = std::max(text_width(box, text) + 2 * kPad, 240);
  box.height = kPad + line + kPad + kButtonHeight + kPad;
  box.button_x = (box.width - kButtonWidth) / 2;
  box.button_y = box.height - kPad - kButtonHeight;
  XSetWindowAttributes attributes{};
  // Above everything, the renderer's full-screen window included, with no
  // window manager needed to place or focus it.
  attributes.override_redirect = True;
  attributes.background_pixel = 0xF0F0F0;
  attributes.border_pixel = 0x404040;
  attributes.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask | VisibilityChangeMask;
  box.window = XCreateWindow(
      d, RootWindow(d, screen), (DisplayWidth(d, screen) - box.width) / 2,
      (DisplayHeight(d, screen) - box.height) / 2, static_cast<unsigned>(box.width),
      static_cast<unsigned>(box.height), 1, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  if (box.window == 0) {
    return false;
  }
  box.delete_atom = XInternAtom(d, "WM_DELETE_WINDOW", False);
  set_title(box, caption);
  box.gc = XCreateGC(d, box.window, 0, nullptr);
  if (box.font != nullptr) {
    XSetFont(d, box.gc, box.font->fid);
  }
  XMapRaised(d, box.window);
  return true;
}

void paint(const Box& box, const std::string& text) {
  Display* d = box.display;
  const int ascent = box.font != nullptr ? box.font->ascent : 10;
  XClearWindow(d, box.window);
  XSetForeground(d, box.gc, 0x000000);
  XDrawString(d, box.window, box.gc, kPad, kPad + ascent, text.c_str(),
              static_cast<int>(text.size()));
  XDrawRectangle(d, box.window, box.gc, box.button_x, box.button_y, kButtonWidth, kButtonHeight);
  const int ok_width = text_width(box, "OK");
  XDrawString(d, box.window, box.gc, box.button_x + (kButtonWidth - ok_width) / 2,
              box.button_y + (kButtonHeight + ascent) / 2, "OK", 2);
}

bool answers(const Box& box, XEvent& event) {
  switch (event.type) {
    case KeyPress: {
      const KeySym key = XLookupKeysym(&event.xkey, 0);
      return key == XK_Return || key == XK_KP_Enter || key == XK_space || key == XK_Escape;
    }
    case ButtonPress:
      return event.xbutton.button == Button1 && event.xbutton.x >= box.button_x &&
             event.xbutton.x < box.button_x + kButtonWidth && event.xbutton.y >= box.button_y &&
             event.xbutton.y < box.button_y + kButtonHeight;
    case ClientMessage:
      return static_cast<Atom>(event.xclient.data.l[0]) == box.delete_atom;
    default:
      return false;
  }
}

int ignore_errors(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

void run(Box& box, const std::string& text) {
  Display* d = box.display;
  for (;;) {
    XEvent event{};
    XNextEvent(d, &event);
    if (event.type == MapNotify) {
      XSetInputFocus(d, box.window, RevertToParent, CurrentTime);
    } else if (event.type == VisibilityNotify && event.xvisibility.state != VisibilityUnobscured) {
      XRaiseWindow(d, box.window);
    } else if (event.type == Expose && event.xexpose.count == 0) {
      paint(box, text);
    } else if (event.type == DestroyNotify || answers(box, event)) {
      return;
    }
  }
}

}  // namespace

void show_message_box(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  Box box;
  box.display = XOpenDisplay(nullptr);
  if (box.display == nullptr) {
    return;
  }
  XErrorHandler previous = XSetErrorHandler(ignore_errors);
  if (create(box, text, caption)) {
    run(box, text);
    XDestroyWindow(box.display, box.window);
  }
  if (box.gc != nullptr) {
    XFreeGC(box.display, box.gc);
  }
  if (box.font != nullptr) {
    XFreeFont(box.display, box.font);
  }
  XCloseDisplay(box.display);
  XSetErrorHandler(previous);
}

}  // namespace orvanth

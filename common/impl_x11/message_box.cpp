#include "common/impl_x11/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/impl_x11/window_hints.h"
#include "common/message_box_layout.h"

namespace orvanth {

namespace {

constexpr int kPad = 16;
constexpr int kCaptionPad = 7;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr int kMinWidth = 260;
constexpr int kBorder = 1;
constexpr const char* kTextFont = "sans-serif:pixelsize=14";
constexpr const char* kCaptionFont = "sans-serif:bold:pixelsize=14";

constexpr unsigned long kFacePixel = 0xF0F0F0;
constexpr unsigned long kBorderPixel = 0x404040;
constexpr unsigned long kCaptionBarPixel = 0x1F4E79;
constexpr unsigned long kButtonPixel = 0xE1E1E1;
constexpr unsigned long kButtonEdgePixel = 0x707070;

struct Box {
  Display* display = nullptr;
  int screen = 0;
  Window window = 0;
  GC gc = nullptr;
  Cursor cursor = 0;
  XftFont* text_font = nullptr;
  XftFont* caption_font = nullptr;
  XftDraw* draw = nullptr;
  XftColor black{};
  XftColor white{};
  bool colours = false;
  Atom delete_atom = 0;
  std::string caption;
  std::vector<std::string> lines;
  int width = 0;
  int height = 0;
  int caption_height = 0;
  int line_height = 0;
  int button_x = 0;
  int button_y = 0;
};

int width_of(Display* display, XftFont* font, std::string_view text) {
  if (font == nullptr || text.empty()) {
    return 0;
  }
  XGlyphInfo extents{};
  XftTextExtentsUtf8(display, font, reinterpret_cast<const FcChar8*>(text.data()),
                     static_cast<int>(text.size()), &extents);
  return extents.xOff;
}

int height_of(const XftFont* font) { return font != nullptr ? font->ascent + font->descent : 16; }

// Sizes the box to its text, wrapped to fit well inside the screen.
void lay_out(Box& box, const std::string& text) {
  Display* d = box.display;
  const int screen_width = DisplayWidth(d, box.screen);
  const int screen_height = DisplayHeight(d, box.screen);
  const int max_text = std::max(kMinWidth, screen_width * 2 / 3) - 2 * kPad;
  box.lines = wrap_text(text, max_text,
                        [&](std::string_view piece) { return width_of(d, box.text_font, piece); });
  box.line_height = height_of(box.text_font);
  box.caption_height = height_of(box.caption_font) + 2 * kCaptionPad;
  int widest = width_of(d, box.caption_font, box.caption);
  for (const std::string& line : box.lines) {
    widest = std::max(widest, width_of(d, box.text_font, line));
  }
  box.width = std::min(std::max(widest + 2 * kPad, kMinWidth), screen_width - 2 * kBorder);
  const int text_height = static_cast<int>(box.lines.size()) * box.line_height;
  box.height = std::min(box.caption_height + kPad + text_height + kPad + kButtonHeight + kPad,
                        screen_height - 2 * kBorder);
  box.button_x = (box.width - kButtonWidth) / 2;
  box.button_y = box.height - kPad - kButtonHeight;
}

bool create(Box& box, const std::string& text) {
  Display* d = box.display;
  box.text_font = XftFontOpenName(d, box.screen, kTextFont);
  box.caption_font = XftFontOpenName(d, box.screen, kCaptionFont);
  lay_out(box, text);
  XSetWindowAttributes attributes{};
  // Above everything, the renderer's override-redirect full-screen window
  // included, with no window manager needed to place or focus it.
  attributes.override_redirect = True;
  attributes.background_pixel = kFacePixel;
  attributes.border_pixel = kBorderPixel;
  // The renderer's window may carry an invisible cursor; the box shows one.
  box.cursor = XCreateFontCursor(d, XC_left_ptr);
  attributes.cursor = box.cursor;
  attributes.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask | VisibilityChangeMask;
  box.window = XCreateWindow(
      d, RootWindow(d, box.screen), (DisplayWidth(d, box.screen) - box.width) / 2 - kBorder,
      (DisplayHeight(d, box.screen) - box.height) / 2 - kBorder, static_cast<unsigned>(box.width),
      static_cast<unsigned>(box.height), kBorder, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixel | CWBorderPixel | CWCursor | CWEventMask, &attributes);
  if (box.window == 0) {
    return false;
  }
  x11::set_title(d, box.window, box.caption);
  box.delete_atom = x11::set_class_and_close_protocol(d, box.window, "orvanth", "MessageBox");
  box.gc = XCreateGC(d, box.window, 0, nullptr);
  Visual* visual = DefaultVisual(d, box.screen);
  const Colormap colormap = DefaultColormap(d, box.screen);
  box.draw = XftDrawCreate(d, box.window, visual, colormap);
  const XRenderColor black{0, 0, 0, 0xFFFF};
  const XRenderColor white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  box.colours = XftColorAllocValue(d, visual, colormap, &black, &box.black) != False &&
                XftColorAllocValue(d, visual, colormap, &white, &box.white) != False;
  XMapRaised(d, box.window);
  return true;
}

void draw_text(const Box& box, XftFont* font, const XftColor& colour, int x, int baseline,
               std::string_view text) {
  if (box.draw != nullptr && box.colours && font != nullptr && !text.empty()) {
    XftDrawStringUtf8(box.draw, &colour, font, x, baseline,
                      reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()));
  }
}

void paint(const Box& box) {
  Display* d = box.display;
  XClearWindow(d, box.window);
  XSetForeground(d, box.gc, kCaptionBarPixel);
  XFillRectangle(d, box.window, box.gc, 0, 0, static_cast<unsigned>(box.width),
                 static_cast<unsigned>(box.caption_height));
  const int caption_ascent = box.caption_font != nullptr ? box.caption_font->ascent : 12;
  draw_text(box, box.caption_font, box.white, kPad, kCaptionPad + caption_ascent, box.caption);
  const int ascent = box.text_font != nullptr ? box.text_font->ascent : 12;
  int baseline = box.caption_height + kPad + ascent;
  for (const std::string& line : box.lines) {
    if (baseline > box.button_y) {
      break;  // more text than the screen holds; the line is on stderr too
    }
    draw_text(box, box.text_font, box.black, kPad, baseline, line);
    baseline += box.line_height;
  }
  XSetForeground(d, box.gc, kButtonPixel);
  XFillRectangle(d, box.window, box.gc, box.button_x, box.button_y, kButtonWidth, kButtonHeight);
  XSetForeground(d, box.gc, kButtonEdgePixel);
  XDrawRectangle(d, box.window, box.gc, box.button_x, box.button_y, kButtonWidth - 1,
                 kButtonHeight - 1);
  const int ok_width = width_of(d, box.text_font, "OK");
  draw_text(box, box.text_font, box.black, box.button_x + (kButtonWidth - ok_width) / 2,
            box.button_y + (kButtonHeight + ascent - (box.line_height - ascent)) / 2, "OK");
  XFlush(d);
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

void run(Box& box) {
  Display* d = box.display;
  for (;;) {
    XEvent event{};
    XNextEvent(d, &event);
    if (event.type == MapNotify) {
      XSetInputFocus(d, box.window, RevertToParent, CurrentTime);
    } else if (event.type == VisibilityNotify && event.xvisibility.state != VisibilityUnobscured) {
      XRaiseWindow(d, box.window);
    } else if (event.type == Expose && event.xexpose.count == 0) {
      paint(box);
    } else if (event.type == DestroyNotify || answers(box, event)) {
      return;
    }
  }
}

void release(Box& box) {
  Display* d = box.display;
  Visual* visual = DefaultVisual(d, box.screen);
  const Colormap colormap = DefaultColormap(d, box.screen);
  if (box.colours) {
    XftColorFree(d, visual, colormap, &box.black);
    XftColorFree(d, visual, colormap, &box.white);
  }
  if (box.draw != nullptr) {
    XftDrawDestroy(box.draw);
  }
  if (box.window != 0) {
    XDestroyWindow(d, box.window);
  }
  for (XftFont* font : {box.text_font, box.caption_font}) {
    if (font != nullptr) {
      XftFontClose(d, font);
    }
  }
  if (box.gc != nullptr) {
    XFreeGC(d, box.gc);
  }
  if (box.cursor != 0) {
    XFreeCursor(d, box.cursor);
  }
}

}  // namespace

void show_message_box(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  Box box;
  // One connection for every box of the process, kept open: with Debian 13's
  // X libraries a connection opened after an earlier box's was closed now and
  // then aborted the program ("[xcb] Extra reply data still left in queue")
  // before the second box came up.
  static Display* const kDisplay = XOpenDisplay(nullptr);
  box.display = kDisplay;
  if (box.display == nullptr) {
    return;
  }
  XErrorHandler previous = XSetErrorHandler(ignore_errors);
  box.screen = DefaultScreen(box.display);
  box.caption = valid_utf8(caption);
  if (create(box, text)) {
    run(box);
  }
  release(box);
  XSync(box.display, True);  // nothing of this box is left for the next
  XSetErrorHandler(previous);
}

}  // namespace orvanth

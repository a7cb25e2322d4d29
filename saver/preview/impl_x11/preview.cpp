// The preview form as a plain X window reparented into the host's window:
// Qt's foreign-window embedding sees the host as 0 x 0 and misses its
// destruction, so this form talks to the X server directly and feeds its
// events through the Qt event loop.
// Qt's headers come before Xlib's, whose macros (Status, Bool) they clash with.
#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include "saver/preview/preview.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "common/impl_x11/connection.h"
#include "common/impl_x11/image.h"
#include "common/impl_x11/window_rect.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"

namespace orvanth::preview {
namespace {

art::Picture preview_picture() { return art::preview_picture(); }

// Form Lumevar_R with its one control Img_Prev.
class PreviewForm {
 public:
  PreviewForm(Display* dpy, Window parent) : dpy_(dpy), parent_(parent) {
    const int screen = DefaultScreen(dpy);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(dpy, screen);
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    window_ = XCreateWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XStoreName(dpy, window_, kCaption);
    wm_protocols_ = XInternAtom(dpy, "WM_PROTOCOLS", False);
    wm_delete_ = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, window_, &wm_delete_, 1);
    forms::note_form_loaded();
    listen();
  }
  PreviewForm(const PreviewForm&) = delete;
  PreviewForm& operator=(const PreviewForm&) = delete;
  ~PreviewForm() = default;

  // The child style and the parent first, then place and size: the position
  // is taken relative to the parent.
  void adopt(TwipsSize size, double twips_x, double twips_y) {
    XSelectInput(dpy_, parent_, StructureNotifyMask);
    XReparentWindow(dpy_, window_, parent_, 0, 0);
    width_ = std::max(1, static_cast<int>(std::lround(size.width / twips_x)));
    height_ = std::max(1, static_cast<int>(std::lround(size.height / twips_y)));
    XMoveResizeWindow(dpy_, window_, 0, 0, static_cast<unsigned>(width_),
                      static_cast<unsigned>(height_));
    image_ = scale_picture(preview_picture(), width_, height_);
  }

  void show() {
    XMapWindow(dpy_, window_);
    XFlush(dpy_);
  }

 private:
  void listen() {
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(dpy_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { drain(); });
    // Replies read by other requests can leave events in Xlib's queue with
    // nothing left on the socket; look before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
      QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { drain(); });
    }
  }

  void drain() {
    while (!unloaded_ && XPending(dpy_) > 0) {
      XEvent event{};
      XNextEvent(dpy_, &event);
      handle(event);
    }
  }

  void handle(const XEvent& event) {
    switch (event.type) {
      case Expose:
        if (event.xexpose.window == window_ && event.xexpose.count == 0) {
          paint();
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == parent_ || event.xdestroywindow.window == window_) {
          window_alive_ = event.xdestroywindow.window != window_;
          unload();
        }
        break;
      case ClientMessage:
        if (event.xclient.message_type == wm_protocols_ &&
            static_cast<Atom>(event.xclient.data.l[0]) == wm_delete_) {
          unload();
        }
        break;
      default:
        break;
    }
  }

  void paint() {
    XWindowAttributes attributes{};
    x11::ErrorTrap trap(dpy_);
    if (XGetWindowAttributes(dpy_, window_, &attributes) != 0) {
      x11::put_rgb(dpy_, window_, attributes.visual, attributes.depth, width_, height_, image_);
    }
    XFlush(dpy_);
  }

  // The unload: Form_Unload, then the window goes and the form no longer
  // counts as loaded.
  void unload() {
    if (unloaded_) {
      return;
    }
    unloaded_ = true;
    Form_Unload();
    if (window_alive_) {
      x11::ErrorTrap trap(dpy_);
      XDestroyWindow(dpy_, window_);
      trap.failed();
    }
    notifier_.reset();
    forms::note_form_unloaded();
  }

  // Posts the close request to the form's own window, which is already
  // closing; the result is not examined.
  void Form_Unload() {
    if (!window_alive_) {
      return;
    }
    x11::ErrorTrap trap(dpy_);
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window_;
    close.xclient.message_type = wm_protocols_;
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(wm_delete_);
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_, window_, False, NoEventMask, &close);
    trap.failed();
  }

  Display* dpy_;
  Window parent_;
  Window window_ = 0;
  Atom wm_protocols_ = None;
  Atom wm_delete_ = None;
  int width_ = 1;
  int height_ = 1;
  std::vector<std::uint8_t> image_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool window_alive_ = true;
  bool unloaded_ = false;
};

// Module state: the one preview form of the process.
std::unique_ptr<PreviewForm> the_form;

bool window_exists(Display* dpy, Window window) {
  x11::ErrorTrap trap(dpy);
  XWindowAttributes attributes{};
  const bool got = XGetWindowAttributes(dpy, window, &attributes) != 0;
  return !trap.failed() && got;
}

// A root window is no host: the form would become a top-level window
// covering the screen that nothing ever closes.
bool is_root(Display* dpy, Window window) {
  for (int screen = 0; screen < ScreenCount(dpy); ++screen) {
    if (RootWindow(dpy, screen) == window) {
      return true;
    }
  }
  return false;
}

}  // namespace

void set_up(std::string_view command_line) {
  const auto parent = static_cast<Window>(static_cast<std::uint32_t>(window_number(command_line)));
  Display* dpy = x11::display();
  // No host to live in: nobody could see or close the form, so end now.
  if (parent == 0 || dpy == nullptr || is_root(dpy, parent) || !window_exists(dpy, parent)) {
    forms::end_program();
  }
  const x11::Rect rect = x11::window_rect(dpy, parent);
  const double twips_x = forms::twips_per_pixel_x();
  const double twips_y = forms::twips_per_pixel_y();
  const TwipsSize size =
      twips_size(rect.right - rect.left, rect.bottom - rect.top, twips_x, twips_y);
  the_form = std::make_unique<PreviewForm>(dpy, parent);
  the_form->adopt(size, twips_x, twips_y);
  the_form->show();
}

}  // namespace orvanth::preview

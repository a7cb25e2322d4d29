#include "common/impl_x11/animated_rects.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "common/impl_x11/connection.h"

namespace orvanth::x11 {
namespace {

int lerp(int a, int b, int step, int steps) {
  return a + static_cast<int>((static_cast<long long>(b) - a) * step / steps);
}

// The four one-pixel edges of an outline, as override-redirect windows: the
// outline needs no shape extension and never takes input.
class Outline {
 public:
  explicit Outline(Display* dpy) : dpy_(dpy) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(dpy, DefaultScreen(dpy));
    for (Window& edge : edges_) {
      edge = XCreateWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    }
  }
  ~Outline() {
    for (const Window edge : edges_) {
      XDestroyWindow(dpy_, edge);
    }
    XFlush(dpy_);
  }
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;

  void place(const Rect& r) {
    const int w = std::max(1, r.right - r.left);
    const int h = std::max(1, r.bottom - r.top);
    move(edges_[0], r.left, r.top, w, 1);
    move(edges_[1], r.left, r.top + h - 1, w, 1);
    move(edges_[2], r.left, r.top, 1, h);
    move(edges_[3], r.left + w - 1, r.top, 1, h);
    XFlush(dpy_);
  }

 private:
  void move(Window edge, int x, int y, int w, int h) {
    XMoveResizeWindow(dpy_, edge, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    XMapRaised(dpy_, edge);
  }

  Display* dpy_;
  std::array<Window, 4> edges_{};
};

}  // namespace

Rect animation_frame(const Rect& from, const Rect& to, int step, int steps) {
  if (steps <= 0) {
    return to;
  }
  step = std::clamp(step, 0, steps);
  return Rect{lerp(from.left, to.left, step, steps), lerp(from.top, to.top, step, steps),
              lerp(from.right, to.right, step, steps), lerp(from.bottom, to.bottom, step, steps)};
}

void draw_animated_rects(const Rect& from, const Rect& to) {
  Display* dpy = display();
  if (dpy == nullptr) {
    return;
  }
  ErrorTrap trap(dpy);
  {
    Outline outline(dpy);
    for (int step = 0; step <= kAnimationSteps; ++step) {
      outline.place(animation_frame(from, to, step, kAnimationSteps));
      std::this_thread::sleep_for(std::chrono::milliseconds(kAnimationStepMs));
    }
  }
  trap.failed();  // never fails visibly
}

}  // namespace orvanth::x11

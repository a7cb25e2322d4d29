// The pointer test on Wayland, where a client sees the pointer only over its
// own surfaces and in each surface's own coordinates. Plain C++.
#pragma once

#include <cmath>

namespace orvanth {

// One position for the pointer across surfaces: where it first entered is
// (0, 0); within a surface it moves as the surface's coordinates do; entering
// another surface (another output) goes on from where it was last seen, so
// the move goes on counting from there.
class SurfacePointer {
 public:
  void enter(const void* surface, double x, double y) {
    if (!seen_) {
      offset_x_ = -x;
      offset_y_ = -y;
      seen_ = true;
    } else if (surface != surface_) {
      offset_x_ = x_ - x;
      offset_y_ = y_ - y;
    }
    surface_ = surface;
    motion(x, y);
  }
  void motion(double x, double y) {
    x_ = x + offset_x_;
    y_ = y + offset_y_;
  }
  // The surface is gone: the next enter, wherever it is, goes on from here.
  void surface_gone(const void* surface) {
    if (surface == surface_) {
      surface_ = nullptr;
    }
  }
  int x() const { return static_cast<int>(std::lround(x_)); }
  int y() const { return static_cast<int>(std::lround(y_)); }

 private:
  bool seen_ = false;
  const void* surface_ = nullptr;
  double offset_x_ = 0.0;
  double offset_y_ = 0.0;
  double x_ = 0.0;
  double y_ = 0.0;
};

}  // namespace orvanth

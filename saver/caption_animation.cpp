#include "saver/caption_animation.h"

#include "saver/shell_state.h"

namespace {

// Each coordinate widened with its sign.
orvanth::forms::Rect mouse_point() {
  const int x = MouseX;
  const int y = MouseY;
  return orvanth::forms::Rect{x, y, x, y};
}

}  // namespace

void AnimateOpen(orvanth::forms::WindowHandle hWnd) {
  using namespace orvanth;
  forms::draw_animated_rects(hWnd, mouse_point(), forms::window_rect(hWnd));
}

void AnimateClose(orvanth::forms::WindowHandle hWnd) {
  using namespace orvanth;
  forms::draw_animated_rects(hWnd, forms::window_rect(hWnd), mouse_point());
}

// DrawAnimatedRects(IDANI_CAPTION): a short zoom of an outline rectangle from
// one rectangle to another, drawn above every window.
#pragma once

#include "common/impl_x11/window_rect.h"

namespace orvanth::x11 {

inline constexpr int kAnimationSteps = 10;
inline constexpr int kAnimationStepMs = 20;

// The outline at step 0..steps, linearly between from and to.
Rect animation_frame(const Rect& from, const Rect& to, int step, int steps);

// Plays the zoom (about 200 ms) and returns; does nothing without a display.
void draw_animated_rects(const Rect& from, const Rect& to);

}  // namespace orvanth::x11

#include "renderer/loop_rules.h"

#include <X11/keysym.h>

#include <ctime>

namespace orvanth {

std::uint32_t current_tick() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
  return static_cast<std::uint32_t>(ms);
}

int virtual_key_for(unsigned long keysym) {
  switch (keysym) {
    case XK_Escape:
      return kVirtualKeyEscape;
    case XK_Return:
    case XK_KP_Enter:
      return 13;
    case XK_BackSpace:
      return 8;
    case XK_Tab:
      return 9;
    case XK_space:
      return 32;
    default:
      break;
  }
  if (keysym >= XK_a && keysym <= XK_z) {
    return static_cast<int>(keysym - XK_a) + 'A';
  }
  if ((keysym >= XK_A && keysym <= XK_Z) || (keysym >= XK_0 && keysym <= XK_9)) {
    return static_cast<int>(keysym);
  }
  return 0;
}

}  // namespace orvanth

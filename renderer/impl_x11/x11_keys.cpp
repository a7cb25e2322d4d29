#include "renderer/impl_x11/x11_keys.h"

#include <X11/keysym.h>

#include "renderer/loop_rules.h"

namespace orvanth {

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

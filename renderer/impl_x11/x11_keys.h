// X keysyms as the virtual-key codes that KeyState is indexed by.
#pragma once

namespace orvanth {

// The virtual-key code for an X keysym (Escape 27, Return 13, letters as
// upper-case ASCII, digits as ASCII); 0 for keys without one.
int virtual_key_for(unsigned long keysym);

}  // namespace orvanth

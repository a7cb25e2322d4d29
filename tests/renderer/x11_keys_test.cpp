// X keysyms as virtual-key codes: only Escape may read as 27.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "renderer/impl_x11/x11_keys.h"

TEST(VirtualKeys, EscapeIs27AndOtherKeysAreNot) {
  EXPECT_EQ(orvanth::virtual_key_for(XK_Escape), 27);
  EXPECT_EQ(orvanth::virtual_key_for(XK_Return), 13);
  EXPECT_EQ(orvanth::virtual_key_for(XK_a), 'A');
  EXPECT_EQ(orvanth::virtual_key_for(XK_Q), 'Q');
  EXPECT_EQ(orvanth::virtual_key_for(XK_7), '7');
  // Keysyms whose low byte happens to be 27 or a letter map to nothing.
  for (const unsigned long keysym : {0xFF50UL /* Home */, 0xFFBEUL /* F1 */, 0x1001BUL}) {
    EXPECT_NE(orvanth::virtual_key_for(keysym), 27) << keysym;
  }
  EXPECT_EQ(orvanth::virtual_key_for(XK_Home), 0);
}

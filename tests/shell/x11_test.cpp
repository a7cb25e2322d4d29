// The X11 helpers (window look-up, cursor, pointer, rectangles) on the test
// X server.
#include <gtest/gtest.h>

#include "common/impl_x11/animated_rects.h"
#include "common/impl_x11/connection.h"
#include "common/impl_x11/cursor.h"
#include "common/impl_x11/find_window.h"
#include "common/impl_x11/window_rect.h"
#include "tests/support/x_client.h"

namespace {

using namespace orvanth::x11;

TEST(X11, FindsATopLevelWindowByItsExactTitleOnly) {
  orvanth::test::XClient client;
  ASSERT_NE(client.display(), nullptr);
  Display* ours = display();
  ASSERT_NE(ours, nullptr);
  EXPECT_EQ(find_window_by_title(ours, "Lumevar_Delphi"), 0U);
  const Window w = client.make_window("Lumevar_Delphi", 40, 30);
  EXPECT_EQ(find_window_by_title(ours, "Lumevar_Delphi"), w);
  EXPECT_EQ(find_window_by_title(ours, "Lumevar_Delph"), 0U);
  EXPECT_EQ(find_window_by_title(ours, "lumevar_delphi"), 0U);
  client.destroy(w);
  EXPECT_EQ(find_window_by_title(ours, "Lumevar_Delphi"), 0U);
  EXPECT_EQ(find_window_by_title(nullptr, "Lumevar_Delphi"), 0U);
}

TEST(X11, FindsTheClientInsideAFrame) {
  orvanth::test::XClient client;
  Display* dpy = client.display();
  const Window frame = client.make_window("", 60, 60);
  const Window inner = XCreateSimpleWindow(dpy, frame, 0, 0, 50, 50, 0, 0, 0);
  XStoreName(dpy, inner, "<Orvanth>");
  const Atom wm_state = XInternAtom(dpy, "WM_STATE", False);
  const long state[2] = {1, 0};
  XChangeProperty(dpy, inner, wm_state, wm_state, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(state), 2);
  XSync(dpy, False);
  EXPECT_EQ(find_window_by_title(display(), "<Orvanth>"), inner);
}

TEST(X11, WindowRectangleIsInScreenPixels) {
  orvanth::test::XClient client;
  const Window w = client.make_window("rect", 152, 112);
  const Rect r = window_rect(display(), w);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 152);
  EXPECT_EQ(r.bottom - r.top, 112);
  const Rect none = window_rect(display(), 0x7fffffff);
  EXPECT_EQ(none.right - none.left, 0);
  EXPECT_EQ(none.bottom - none.top, 0);
}

TEST(X11, PointerPositionFollowsTheServer) {
  Display* dpy = display();
  XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, 321, 234);
  XSync(dpy, False);
  const auto p = pointer_position();
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->x, 321);
  EXPECT_EQ(p->y, 234);
  EXPECT_TRUE(hide_cursor());
  EXPECT_TRUE(show_cursor());
}

TEST(X11, AnimationRunsBetweenTheRectanglesAndLeavesNothingMapped) {
  const Rect from{10, 20, 10, 20};
  const Rect to{100, 200, 300, 400};
  const Rect mid = animation_frame(from, to, 5, 10);
  EXPECT_EQ(mid.left, 55);
  EXPECT_EQ(mid.bottom, 210);
  EXPECT_EQ(animation_frame(from, to, 0, 10).right, 10);
  EXPECT_EQ(animation_frame(from, to, 10, 10).right, 300);
  EXPECT_EQ(animation_frame(from, to, 99, 10).top, 200);
  orvanth::test::XClient watcher;
  draw_animated_rects(from, to);
  XSync(watcher.display(), False);
  // Its outline windows were mapped while it ran and are gone afterwards.
  EXPECT_TRUE(watcher.foreign_window_mapped());
  for (const Window w : watcher.children(DefaultRootWindow(watcher.display()))) {
    XWindowAttributes a{};
    XGetWindowAttributes(watcher.display(), w, &a);
    EXPECT_FALSE(a.override_redirect && a.map_state == IsViewable);
  }
}

}  // namespace

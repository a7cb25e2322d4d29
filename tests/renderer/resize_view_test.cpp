// ResizeView on a real GL context of the test X server.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <GL/gl.h>
#include <GL/glx.h>

#include <cmath>

#include "renderer/render_window.h"
#include "tests/support/x_client.h"

namespace {

class GlContext : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_, nullptr) << "needs the test X server";
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* visual = glXChooseVisual(display_, DefaultScreen(display_), attributes);
    ASSERT_NE(visual, nullptr);
    const Window root = DefaultRootWindow(display_);
    XSetWindowAttributes wa{};
    wa.colormap = XCreateColormap(display_, root, visual->visual, AllocNone);
    window_ = XCreateWindow(display_, root, 0, 0, 64, 64, 0, visual->depth, InputOutput,
                            visual->visual, CWColormap, &wa);
    context_ = glXCreateContext(display_, visual, nullptr, True);
    XFree(visual);
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(glXMakeCurrent(display_, window_, context_));
  }
  void TearDown() override {
    if (display_ != nullptr) {
      glXMakeCurrent(display_, None, nullptr);
      if (context_ != nullptr) {
        glXDestroyContext(display_, context_);
      }
      XDestroyWindow(display_, window_);
    }
  }
  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
  Window window_ = 0;
  GLXContext context_ = nullptr;
};

// Aspect ratio of the current projection: m[5] / m[0] for a perspective.
double aspect() {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  return m[5] / m[0];
}

}  // namespace

TEST_F(GlContext, HeightZeroGivesAViewportOfHeightOne) {
  ResizeView(640, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 1);
  EXPECT_NEAR(aspect(), 640.0, 1e-3);
}

TEST_F(GlContext, PerspectiveOf45DegreesFromOneToAHundred) {
  ResizeView(1280, 1024);
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[5], 1.0 / std::tan(45.0 * M_PI / 360.0), 1e-5);
  EXPECT_NEAR(aspect(), 1.25, 1e-5);
  // Depth terms of near 1 and far 100.
  EXPECT_NEAR(m[10], -(100.0 + 1.0) / (100.0 - 1.0), 1e-5);
  EXPECT_NEAR(m[14], -2.0 * 100.0 * 1.0 / (100.0 - 1.0), 1e-5);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[0], 1.0);
  EXPECT_EQ(m[12], 0.0);
}

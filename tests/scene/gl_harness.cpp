#include "tests/scene/gl_harness.h"

#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "common/bmp_file.h"
#include "common/texture_files.h"

namespace orvanth::test {

struct GlWindow::Handles {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  GLXContext context = nullptr;
};

namespace {

bool wait_for_map(Display* display, Window window) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    XEvent event;
    while (XCheckTypedWindowEvent(display, window, MapNotify, &event)) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace

GlWindow::GlWindow(int width, int height) : handles_(new Handles), width_(width), height_(height) {
  Handles& h = *handles_;
  h.display = XOpenDisplay(nullptr);
  if (h.display == nullptr) {
    error_ = "cannot open the X display";
    return;
  }
  int attributes[] = {
      GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
      8,        GLX_DEPTH_SIZE,   16,           None};
  XVisualInfo* visual = glXChooseVisual(h.display, DefaultScreen(h.display), attributes);
  if (visual == nullptr) {
    error_ = "no double-buffered RGBA visual";
    return;
  }
  const Window root = RootWindow(h.display, visual->screen);
  h.colormap = XCreateColormap(h.display, root, visual->visual, AllocNone);
  XSetWindowAttributes set{};
  set.colormap = h.colormap;
  set.event_mask = StructureNotifyMask;
  h.window = XCreateWindow(h.display, root, 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, visual->depth, InputOutput,
                           visual->visual, CWColormap | CWEventMask, &set);
  h.context = glXCreateContext(h.display, visual, nullptr, True);
  XFree(visual);
  if (h.context == nullptr) {
    error_ = "cannot create a GL context";
    return;
  }
  XMapWindow(h.display, h.window);
  if (!wait_for_map(h.display, h.window)) {
    error_ = "window was not mapped";
    return;
  }
  glXMakeCurrent(h.display, h.window, h.context);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ok_ = true;
}

GlWindow::~GlWindow() {
  Handles& h = *handles_;
  if (h.display != nullptr) {
    if (h.context != nullptr) {
      glXMakeCurrent(h.display, None, nullptr);
      glXDestroyContext(h.display, h.context);
    }
    if (h.window != 0) {
      XDestroyWindow(h.display, h.window);
    }
    if (h.colormap != 0) {
      XFreeColormap(h.display, h.colormap);
    }
    XCloseDisplay(h.display);
  }
  delete handles_;
}

void GlWindow::swap() { glXSwapBuffers(handles_->display, handles_->window); }

void GlWindow::read_back(std::vector<std::uint8_t>& rgb) const {
  rgb.resize(static_cast<std::size_t>(width_ * height_ * 3));
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

bool GlWindow::project(double x, double y, double z, double& wx, double& wy) const {
  GLdouble model[16];
  GLdouble projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wz = 0;
  if (gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz) != GL_TRUE) {
    return false;
  }
  return wx >= 0 && wy >= 0 && wx < width_ && wy < height_ && wz > 0 && wz < 1;
}

bool write_colour_textures(std::string& error) {
  // Inside the run's own cache folder when the test servers gave one, so the
  // files go when the run ends.
  const char* base = std::getenv("XDG_CACHE_HOME");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/orvanth-scene-test.XXXXXX";
  std::vector<char> folder(pattern.begin(), pattern.end());
  folder.push_back('\0');
  if (mkdtemp(folder.data()) == nullptr) {
    error = "cannot make a temporary folder";
    return false;
  }
  setenv("XDG_CACHE_HOME", folder.data(), 1);
  constexpr int kWidth = 64;
  constexpr int kHeight = 32;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  const auto files = orvanth::TextureFileNames();
  for (std::size_t f = 0; f < files.size(); ++f) {
    for (std::size_t p = 0; p < rgb.size(); p += 3) {
      // The water gets a faint check, so that its sphere-mapped coordinates
      // (and so its ripples) show; the planets stay plain.
      const std::size_t pixel = p / 3;
      const bool light = f == 0 && ((pixel % kWidth) / 8 + (pixel / kWidth) / 8) % 2 == 1;
      const int lift = light ? 40 : 0;
      rgb[p] = static_cast<std::uint8_t>(kTextureColours[f].r + lift);
      rgb[p + 1] = static_cast<std::uint8_t>(kTextureColours[f].g + lift);
      rgb[p + 2] = static_cast<std::uint8_t>(kTextureColours[f].b + lift);
    }
    if (!orvanth::write_bmp_file(files[f], kWidth, kHeight, rgb.data(), &error)) {
      return false;
    }
  }
  return true;
}

Rgb pixel_at(const std::vector<std::uint8_t>& rgb, int width, int x, int y) {
  const auto at = static_cast<std::size_t>((y * width + x) * 3);
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

}  // namespace orvanth::test

// A GLX window on the test X server with the renderer's projection, the seven
// texture files written as plain colours, and pixel read-back: enough to run
// the scene as the frame loop does and look at the result.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanth::test {

struct Rgb {
  int r;
  int g;
  int b;
};

// Colours of texture files 00 (water, with a lighter check) to 06 (planets 0
// to 5).
inline constexpr std::array<Rgb, 7> kTextureColours = {{
    {40, 90, 120},
    {220, 30, 30},
    {30, 200, 40},
    {40, 60, 230},
    {230, 220, 30},
    {210, 40, 200},
    {30, 210, 210},
}};

class GlWindow {
 public:
  // Opens the window and makes its context current; the projection is the
  // frame loop's: 45 degrees, near 1, far 100.
  GlWindow(int width, int height);
  ~GlWindow();
  GlWindow(const GlWindow&) = delete;
  GlWindow& operator=(const GlWindow&) = delete;

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void swap();
  // The back buffer, bottom row first, RGB bytes.
  void read_back(std::vector<std::uint8_t>& rgb) const;
  // Window coordinates (origin bottom left) of a world point under the
  // model-view matrix left by DrawFrame; false when it lies off the window.
  bool project(double x, double y, double z, double& wx, double& wy) const;

 private:
  struct Handles;
  Handles* handles_;
  int width_;
  int height_;
  bool ok_ = false;
  std::string error_;
};

// Writes the seven texture files in plain colours into a fresh folder that
// becomes XDG_CACHE_HOME. Returns false with a reason on failure.
bool write_colour_textures(std::string& error);

// Pixel of a read-back buffer.
Rgb pixel_at(const std::vector<std::uint8_t>& rgb, int width, int x, int y);

}  // namespace orvanth::test

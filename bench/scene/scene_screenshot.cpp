// Draws the running scene off the frame loop and writes one frame as a PPM
// picture: scene_screenshot OUT.ppm [width height frames scene_ms_per_frame].
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "renderer/scene/scene.h"
#include "tests/scene/gl_harness.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.ppm [width height frames ms_per_frame]\n", argv[0]);
    return 2;
  }
  const int width = argc > 3 ? std::atoi(argv[2]) : 1280;
  const int height = argc > 3 ? std::atoi(argv[3]) : 1024;
  const int frames = argc > 4 ? std::atoi(argv[4]) : 150;
  const int step = argc > 5 ? std::atoi(argv[5]) : 40;
  std::string error;
  if (!orvanth::test::write_colour_textures(error)) {
    std::fprintf(stderr, "textures: %s\n", error.c_str());
    return 1;
  }
  orvanth::test::GlWindow window(width, height);
  if (!window.ok()) {
    std::fprintf(stderr, "window: %s\n", window.error().c_str());
    return 1;
  }
  SetupScene();
  std::vector<std::uint8_t> rgb;
  for (int frame = 0; frame < frames; ++frame) {
    SceneTime = frame * step;
    DrawFrame();
    if (frame + 1 == frames) {
      window.read_back(rgb);
    }
    window.swap();
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y) {
    std::fwrite(&rgb[static_cast<std::size_t>(y * width * 3)], 1,
                static_cast<std::size_t>(width) * 3, out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

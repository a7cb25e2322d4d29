#include "tests/hosted/wayland_scene.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "tests/support/wait.h"

namespace orvanth::test {

namespace fs = std::filesystem;

std::optional<WindowImage> read_ppm(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int depth = 0;
  in >> magic >> width >> height >> depth;
  in.get();
  if (magic != "P6" || depth != 255 || width <= 0 || height <= 0) {
    return std::nullopt;
  }
  std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * 3 *
                                   static_cast<std::size_t>(height));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) {
    return std::nullopt;
  }
  WindowImage image;
  image.width = width;
  image.height = height;
  image.pixels.reserve(bytes.size() / 3);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    image.pixels.push_back((std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) |
                           bytes[i + 2]);
  }
  return image;
}

std::optional<WindowImage> output_image(const HeadlessSway& sway, const std::string& output) {
  const fs::path file = sway.home() / (output + ".ppm");
  if (!sway.screenshot(output, file)) {
    return std::nullopt;
  }
  return read_ppm(file);
}

std::optional<bool> cursor_shown(const HeadlessSway& sway, const std::string& geometry) {
  const fs::path file = sway.home() / "cursor.ppm";
  if (!sway.screenshot_of(geometry, true, file)) {
    return std::nullopt;
  }
  const auto image = read_ppm(file);
  if (!image) {
    return std::nullopt;
  }
  // The arrow's black body and white rim; the scene's backdrop has neither
  // pure colour.
  const auto has = [&](std::uint32_t colour) {
    return std::find(image->pixels.begin(), image->pixels.end(), colour) != image->pixels.end();
  };
  return has(0x000000) && has(0xFFFFFF);
}

bool scene_on(const HeadlessSway& sway, const std::string& output) {
  return wait_for([&] {
    const auto image = output_image(sway, output);
    return image && shows_scene(*image);
  });
}

bool scene_moves_on(const HeadlessSway& sway, const std::string& output) {
  const auto first = output_image(sway, output);
  return first && wait_for([&] {
           const auto later = output_image(sway, output);
           return later && shows_scene(*later) && changed_fraction(*first, *later) > 0.01;
         });
}

}  // namespace orvanth::test

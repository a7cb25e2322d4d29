#include "renderer/textures/textures.h"

#include <GL/glu.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "renderer/render_window.h"
#include "renderer/textures/bmp.h"

void ReadBitmapFile(const std::string& fileName, std::int32_t& width, std::int32_t& height,
                    std::unique_ptr<std::uint8_t[]>& pixels) {
  using orvanth::BmpStatus;
  BmpStatus status = BmpStatus::kOpenFailed;
  orvanth::BmpImage image;
  if (auto source = orvanth::open_bmp_file(fileName)) {
    status = orvanth::read_bitmap(*source, image);
  }
  if (status != BmpStatus::kOk) {
    orvanth::window::show_message(orvanth::bmp_status_text(status, fileName), "BMP Unit");
    return;
  }
  width = image.width;
  height = image.height;
  pixels = std::move(image.pixels);
}

bool MakeTexture(const std::string& fileName, GLuint& textureName) {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::unique_ptr<std::uint8_t[]> pixels;
  ReadBitmapFile(fileName, width, height, pixels);
  if (!pixels) {
    orvanth::window::show_message("Unable to load " + fileName, "Loading Textures");
    std::exit(1);
  }
  glGenTextures(1, &textureName);
  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Rows are padded to 4 bytes, which is GL's default unpack alignment.
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.get());
  return true;
}

#include "renderer/textures/textures.h"

#include <GL/glu.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "renderer/textures/bmp.h"
#include "platform/x11/message_box.h"

bool MakeTexture(const std::string& fileName, GLuint& textureName) {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::unique_ptr<std::uint8_t[]> pixels;
  ReadBitmapFile(fileName, width, height, pixels);
  if (!pixels) {
    orvanth::show_message_box("Unable to load " + fileName, "Loading Textures");
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

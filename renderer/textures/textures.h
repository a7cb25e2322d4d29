// Texture loading: one BMP file into one GL texture object, telling the user
// through the window backend's message box when it cannot be read.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <string>

// Reads the BMP file fileName (renderer/textures/bmp.h); on failure shows the
// matching "BMP Unit" message and leaves pixels null.
void ReadBitmapFile(const std::string& fileName, std::int32_t& width, std::int32_t& height,
                    std::unique_ptr<std::uint8_t[]>& pixels);

// Loads fileName into a new texture object named in textureName. Does not
// return when the file cannot be read: the user is told and the process ends
// with exit code 1.
bool MakeTexture(const std::string& fileName, GLuint& textureName);

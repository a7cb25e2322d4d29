// Texture loading: one BMP file into one GL texture object.
#pragma once

#include <GL/gl.h>

#include <string>

// Loads fileName into a new texture object named in textureName. Does not
// return when the file cannot be read: the user is told and the process ends
// with exit code 1.
bool MakeTexture(const std::string& fileName, GLuint& textureName);

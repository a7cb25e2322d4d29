// Writing the pictures out: as an embedded C++ source, or as image files.
#pragma once

#include <string>
#include <vector>

#include "tools/artwork/image.h"

namespace orvanth::artgen {

// dir/orvanth_art.bin (all pixels back to back) and dir/orvanth_art.cpp,
// which pulls the blob in with .incbin and implements saver/resources.h.
bool write_embedded_source(const std::vector<Image>& set, const std::string& dir);

// dir/NN-name.ppm (RGB) or .pam (RGBA), one per picture.
bool write_picture_files(const std::vector<Image>& set, const std::string& dir);

}  // namespace orvanth::artgen

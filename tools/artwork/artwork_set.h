// Every picture of the saver, in the order the embedded table lists them.
#pragma once

#include <vector>

#include "tools/artwork/image.h"

namespace orvanth::artgen {

// Maps 1 to 12, preview, empty marker, filled marker, the six button
// pictures (Normal, HighLight, Pressed, Disable, HighLightSelect, Selected),
// icon.
std::vector<Image> make_artwork_set();

}  // namespace orvanth::artgen

// Pictures rendered in software from the surface maps: the still preview of
// planets over water, and the program icon.
#pragma once

#include <vector>

#include "tools/artwork/image.h"

namespace orvanth::artgen {

constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;
constexpr int kIconSize = 32;

// maps[i] is planet map i + 1.
Image make_preview(const std::vector<Image>& maps);
Image make_icon(const std::vector<Image>& maps);

}  // namespace orvanth::artgen

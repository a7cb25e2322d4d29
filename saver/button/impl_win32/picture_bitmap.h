// The artwork's pictures as GDI bitmaps and the program icon.
#pragma once

#include <windows.h>

#include "saver/art/resources.h"

namespace orvanth::win32 {

// A 32-bit top-down DIB section of width x height pixels, its pixels at
// *bits when given; nullptr when it cannot be made. The caller owns it.
HBITMAP dib_section(int width, int height, void** bits = nullptr);

// A 32-bit top-down DIB section of the picture; nullptr when it has no
// pixels. The caller owns it.
HBITMAP bitmap_of(const art::Picture& picture);

// An icon of a picture with alpha; nullptr when it cannot be made.
HICON icon_of(const art::Picture& picture);

}  // namespace orvanth::win32

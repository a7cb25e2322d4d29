// DesignFont on Windows: "ＭＳ Ｐゴシック" 9.75 point, Shift-JIS, where the
// system has that face, else a Japanese UI face it does have; and the GDI
// font of a stored font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "saver/button/property_bag.h"

namespace orvanth::win32 {

// Of the families given (the system's Shift-JIS ones), ＭＳ Ｐゴシック, else
// the first Japanese UI face of our list, else the first horizontal one;
// "" for none.
std::wstring pick_face(const std::vector<std::wstring>& families);

// DesignFont with the face picked from the system's families, chosen once.
FontSpec design_font();

// A GDI font as wanted, at the screen's dots per inch. Made once per font
// and kept for the life of the program, like the forms runtime's fonts.
HFONT font_handle(const FontSpec& wanted);

}  // namespace orvanth::win32

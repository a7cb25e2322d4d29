// The dialog's choice markers and the command button's state pictures.
#pragma once

#include "tools/artwork/image.h"

namespace orvanth::artgen {

constexpr int kMarkerSize = 12;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 25;

Image make_marker_empty();
Image make_marker_filled();

enum class ButtonKind { Normal, HighLight, Pressed, Disable, HighLightSelect, Selected };
Image make_button_picture(ButtonKind kind);

}  // namespace orvanth::artgen

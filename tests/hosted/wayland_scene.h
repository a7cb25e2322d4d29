// The scene as a Wayland compositor shows it: grim's picture of one output
// of a headless sway, checked as the X tests check theirs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tests/hosted/scene_check.h"
#include "tests/support/headless_sway.h"

namespace orvanth::test {

// A binary PPM as a picture; nothing when it is not one.
std::optional<WindowImage> read_ppm(const std::filesystem::path& path);

std::optional<WindowImage> output_image(const HeadlessSway& sway, const std::string& output);
// Whether the cursor shows in this part of the layout ("X,Y WxH"): the
// default arrow's pure black and white are in grim's picture (a headless
// output draws the cursor into the picture). Nothing when grim fails.
std::optional<bool> cursor_shown(const HeadlessSway& sway, const std::string& geometry);
// Within the default limit: the output shows the scene; two of its pictures
// differ.
bool scene_on(const HeadlessSway& sway, const std::string& output);
bool scene_moves_on(const HeadlessSway& sway, const std::string& output);

}  // namespace orvanth::test

// A window id as xscreensaver and its kin pass it (XSCREENSAVER_WINDOW,
// --window-id): read the same way by the shell and the renderer.
#pragma once

#include <optional>
#include <string_view>

namespace orvanth {

// Decimal or 0x hexadecimal, blanks around it allowed; nothing for anything
// else, for 0, or for a value wider than X's 29-bit ids.
std::optional<unsigned long> parse_window_id(std::string_view text);

}  // namespace orvanth

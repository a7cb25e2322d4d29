// A message box's text layout without a window system: UTF-8 clean-up and
// wrapping by drawn width, so any font's measure can drive it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanth {

// Pixels one piece of valid UTF-8 takes when drawn.
using TextMeasure = std::function<int(std::string_view)>;

// text with every byte that is not part of a valid UTF-8 sequence replaced by
// U+FFFD, so a file name in another encoding still draws.
std::string valid_utf8(std::string_view text);

// Lines of at most max_width pixels. Breaks at newlines, after blanks (which
// are dropped at the break), after '/' and '\\', and inside a word that is
// wider than a line on its own, never inside a character.
std::vector<std::string> wrap_text(std::string_view text, int max_width,
                                   const TextMeasure& measure);

}  // namespace orvanth

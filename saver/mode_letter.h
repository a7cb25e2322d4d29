// The mode letter that picks what the shell does (/s, /c, /p).
#pragma once

#include <string_view>

namespace orvanth {

// The command line's second character upper-cased, or '\0' for a line
// shorter than two characters.
char mode_letter(std::string_view command_line);

}  // namespace orvanth

// Windows only: a wide path as the programs' narrow (ANSI) calls must be
// given it.
#pragma once

#include <string>

namespace orvanth {

// The path in the ANSI code page; where the code page cannot spell a name,
// the path's short (8.3) form; "" when neither is possible.
std::string ansi_path(const wchar_t* wide);

}  // namespace orvanth

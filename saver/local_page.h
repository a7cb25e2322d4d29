// Where the page about Orvanth lies on this machine.
#pragma once

#include <string>

namespace orvanth {

// The page installed with the program (share/doc/orvanth/index.html), found
// from the program folder; the build tree has it in the same place.
std::string local_page_path();

}  // namespace orvanth

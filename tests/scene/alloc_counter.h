// Counts heap allocations made by this process while counting is on: every
// operator new, and malloc, calloc and realloc where no sanitizer owns them
// (and not on Windows).
#pragma once

#include <cstddef>

namespace orvanth::test {

void start_counting_allocations();
// Stops counting and returns the allocations since the start.
std::size_t stop_counting_allocations();
// Of those, the ones made through operator new: C++ code, as opposed to C
// libraries such as the GL driver.
std::size_t counted_new_allocations();

// Whether malloc-family calls are counted in this build.
bool counts_malloc();

}  // namespace orvanth::test

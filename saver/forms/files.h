// File services of the forms runtime: delete, and open for reading to test
// existence.
#pragma once

#include <string>

namespace orvanth::forms {

// Kill path: false when the file could not be deleted.
bool delete_file(const std::string& path);

// Open path For Input: true when it names something that opens for reading
// as a file. A folder does not; a FIFO is tested without waiting for a writer.
bool opens_for_reading(const std::string& path);

}  // namespace orvanth::forms

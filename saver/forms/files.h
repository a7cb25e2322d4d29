// File services of the forms runtime: delete, open for reading to test
// existence, and whether a path names anything at all.
#pragma once

#include <string>

namespace orvanth::forms {

// Kill path: false when the file could not be deleted.
bool delete_file(const std::string& path);

// Open path For Input: true when it names something that opens for reading
// as a file. A folder does not; a FIFO is tested without waiting for a writer.
bool opens_for_reading(const std::string& path);

// Whether anything is at path, a link whose target is gone included.
bool path_exists(const std::string& path);

}  // namespace orvanth::forms

// Test support: Orvanth.ini as the shell writes it, built from the real key
// names so that a test file cannot drift from the program's.
#pragma once

#include <filesystem>
#include <string>

namespace orvanth::test {

// The file image that the three writes (type, repeat, file) make from
// nothing; the values are written as given (" 1", "-2", "/a.mp3").
std::string settings_image(const std::string& type, const std::string& repeat,
                           const std::string& file);
// A number as the settings file holds it: a space before a non-negative one.
std::string settings_number(int value);
void write_settings_file(const std::filesystem::path& path, const std::string& image);

}  // namespace orvanth::test

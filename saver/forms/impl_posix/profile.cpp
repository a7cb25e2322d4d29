// The profile functions on Linux: our INI reader and writer on files
// (common/profile_file.h).
#include "saver/forms/profile.h"

#include "common/ini_file.h"
#include "common/profile_file.h"

namespace orvanth::forms {

std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path) {
  return ini::get_profile_string(section, key, fallback, buffer_size, path);
}

bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path) {
  return ini::write_profile_string(section, key, value, path);
}

bool profile_writable(const std::string& path) { return ini::profile_writable(path); }

bool profile_keeps(std::string_view section, std::string_view key, std::string_view value) {
  if (!ini::storable(section, key, value)) {
    return false;
  }
  const std::string image = ini::write_value("", section, key, value);
  return ini::read_value(image, section, key, "", value.size() + 1) == value;
}

}  // namespace orvanth::forms

// The profile functions of the forms runtime (GetPrivateProfileStringA and
// WritePrivateProfileStringA) and the two questions the settings rules ask
// before they save.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanth::forms {

// The value of key in section of the file at path, cut to buffer_size - 1
// bytes, or fallback when the file, section or key is missing.
std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path);

// Writes one value, creating the file, section or key as needed; false when
// nothing could be written.
bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path);

// Whether a write through path can succeed and keep what the file is: a
// read-only or odd file is never written over.
bool profile_writable(const std::string& path);

// Whether value, written and read back, is value itself (no line break, no
// blanks or quotes at its ends that reading would strip).
bool profile_keeps(std::string_view section, std::string_view key, std::string_view value);

}  // namespace orvanth::forms

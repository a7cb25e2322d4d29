// Private-profile (INI) files with the observable rules of the original
// platform's narrow profile functions: ASCII-case-insensitive section and key
// match, surrounding blanks of a value ignored, values cut to the caller's
// buffer, writes that replace a key in place or append it and keep every other
// byte, CRLF written, LF or CRLF read. Names and values are raw bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanth::ini {

// The value of key in section within the file image text, cut to
// buffer_size - 1 bytes, or fallback (cut alike) when the section or key is
// missing. buffer_size 0 gives "".
std::string read_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view fallback, std::size_t buffer_size);

// The file image text with key in section set to value: the key's line is
// replaced in place, or the key appended to its section, or the section and
// key appended to the end. Every other byte stays as it was.
std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// Whether a name or value can be stored without changing the file's structure
// (a line break would start a new line, so a value could forge keys).
bool storable(std::string_view section, std::string_view key, std::string_view value);

// GetPrivateProfileStringA: the value from the file at path; a missing or
// unreadable file reads as fallback.
std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path);

// WritePrivateProfileStringA: writes one value, creating the file, section or
// key as needed. False when nothing could be written (the folder is missing or
// not writable, or the text is not storable).
bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path);

}  // namespace orvanth::ini

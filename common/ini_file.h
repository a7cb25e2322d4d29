// Private-profile (INI) files with the observable rules of the original
// platform's narrow profile functions: ASCII-case-insensitive section and key
// match, surrounding blanks and one pair of surrounding double quotes of a
// value ignored, values cut to the caller's buffer, writes that replace a key
// in place or append it and keep every other byte, CRLF written, LF or CRLF
// read. Names and values are raw bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanth::ini {

// The value of key in section within the file image text, without its
// surrounding blanks and one pair of surrounding double quotes, cut to
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

}  // namespace orvanth::ini

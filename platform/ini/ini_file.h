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

// GetPrivateProfileStringA: the value from the file at path; a missing,
// unreadable or non-regular file (folder, FIFO, dangling link) reads as
// fallback, without blocking.
std::string get_profile_string(std::string_view section, std::string_view key,
                               std::string_view fallback, std::size_t buffer_size,
                               const std::string& path);

// Whether write_profile_string may write through path: the file (a symlink's
// target) is a regular file that can be read and written and has a write bit,
// or is missing (not the end of a dangling link); and its folder can be
// written.
bool profile_writable(const std::string& path);

// WritePrivateProfileStringA: writes one value, creating the file, section or
// key as needed; a symlink's target is updated and keeps its mode. False when
// nothing could be written (not profile_writable, or the text not storable).
bool write_profile_string(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& path);

}  // namespace orvanth::ini

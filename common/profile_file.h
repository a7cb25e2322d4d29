// Profile files on disk: the INI text rules of common/ini_file.h applied to a
// file, read without blocking and rewritten atomically. One source per
// platform (impl_posix/).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanth::ini {

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

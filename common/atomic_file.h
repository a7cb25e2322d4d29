// Replacing a whole file so that readers see either the old bytes or the new
// ones, never a missing or half-written file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanth {

enum class LinkRule {
  kReplace,  // a symlink at path is replaced by the new file, never followed
  kFollow,   // a symlink at path is resolved and its target replaced
};

enum class Flush {
  kToDisk,  // fsync before the rename: the new bytes survive a power cut
  kLazily,  // leave it to the kernel (files that are rewritten on every run)
};

// Writes bytes to a new temporary file in the folder of the file replaced,
// gives it mode (POSIX permission bits; Windows has none to give) and moves
// it over that file. Returns false, with a reason
// in *error when given, and leaves the old file as it was on any failure.
bool replace_file_atomically(const std::string& path, std::string_view bytes, std::uint32_t mode,
                             LinkRule links, Flush flush, std::string* error = nullptr);

// The file a write through path lands on: path itself, or the end of its
// chain of symlinks (made absolute); "" for a loop or an unreadable link.
std::string resolve_links(const std::string& path);

}  // namespace orvanth

// Positions on an audio disc in CD frames (1/75 s, 2352 bytes), counted
// from the start of the first track, and their text forms in the interface's
// time formats: tmsf "TT:MM:SS:FF" (track-relative), msf "MM:SS:FF", ms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saver/music/media_command.h"
#include "saver/music/media_errors.h"

namespace orvanth::music {

inline constexpr std::uint32_t kFramesPerSecond = 75;

struct DiscLayout {
  std::vector<std::uint32_t> track_starts;  // ascending; track 1 first
  std::uint32_t end = 0;                    // one past the last frame

  std::uint32_t track_count() const { return static_cast<std::uint32_t>(track_starts.size()); }
  // 1-based track holding the frame; the last track for the disc's end.
  std::uint32_t track_at(std::uint32_t frame) const;
  std::uint32_t track_end(std::uint32_t track) const;  // 1-based
};

std::string format_msf(std::uint32_t frames);
std::string format_position(const DiscLayout& disc, TimeFormat format, std::uint32_t frame);
// A length (of a track or the disc): msf for msf and tmsf, else ms.
std::string format_length(TimeFormat format, std::uint32_t frames);

struct PositionResult {
  ErrorCode error = kOk;
  std::uint32_t frame = 0;
};
// Reads a position given in the format; a field out of its range or a
// position beyond the disc is out of range, text that is no position a bad
// integer. "3" in tmsf is the start of track 3.
PositionResult parse_position(const DiscLayout& disc, TimeFormat format, std::string_view text);

}  // namespace orvanth::music

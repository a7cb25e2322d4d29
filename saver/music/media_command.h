// Parsing of media command strings ("open ... type mpegvideo alias x",
// "status cdaudio mode") into plain data. Knows nothing about devices: the
// Linux backend's interpreter decides what a command does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "saver/music/media_errors.h"

namespace orvanth::music {

enum class Verb { kOpen, kClose, kPlay, kStop, kPause, kResume, kStatus, kSet, kSeek };

enum class StatusItem {
  kMode,
  kCurrentTrack,
  kNumberOfTracks,
  kPosition,
  kLength,
  kMediaPresent,
  kReady,
  kTimeFormat,
};

enum class TimeFormat { kMsf, kTmsf, kMilliseconds };

enum class SeekTarget { kStart, kEnd, kPosition };

struct Command {
  Verb verb = Verb::kOpen;
  std::string device;                // device name, alias, or (for open) a file path
  std::optional<std::string> type;   // open ... type X
  std::optional<std::string> alias;  // open ... alias X
  std::optional<std::string> from;   // play ... from X (unchecked text)
  std::optional<std::string> to;     // play ... to X
  StatusItem item = StatusItem::kMode;
  std::optional<std::uint32_t> track;         // status ... position/length track N
  TimeFormat time_format = TimeFormat::kMsf;  // set ... time format X
  SeekTarget seek_target = SeekTarget::kStart;
  std::string seek_position;  // seek ... to X
};

struct ParseResult {
  ErrorCode error = kOk;
  Command command;
};

// Splits a command into words: blanks separate them, a word in double quotes
// may hold blanks, and inside it a doubled quote ("") stands for one quote
// character, so any file name can be given. A quote inside an unquoted word,
// or a closing quote that is not followed by a blank, is an error, so a quote
// can never smuggle in words.
struct Tokens {
  ErrorCode error = kOk;
  std::vector<std::string> words;
};
Tokens tokenize(std::string_view text);

ParseResult parse_command(std::string_view text);

// word as one quoted word of a command: in double quotes, each quote inside
// doubled. tokenize gives word back exactly, whatever bytes it holds.
std::string quoted(std::string_view word);

// ASCII case-insensitive equality, as the interface matches keywords.
bool same_word(std::string_view a, std::string_view b);

}  // namespace orvanth::music

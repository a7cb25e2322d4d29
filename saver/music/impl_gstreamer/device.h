// One open device of the media command interpreter, and what both kinds
// (the CD and a media file) share: their play modes and how a mode reads.
#pragma once

#include <string>

#include "saver/music/media_command.h"
#include "saver/music/media_errors.h"

namespace orvanth::music {

class Device {
 public:
  Device() = default;
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  virtual ~Device() = default;

  virtual ErrorCode play(const Command& cmd) = 0;
  virtual ErrorCode stop() = 0;
  virtual ErrorCode pause() = 0;
  virtual ErrorCode resume() = 0;
  virtual ErrorCode seek(const Command& cmd) = 0;
  virtual ErrorCode set(const Command& cmd) = 0;
  virtual ErrorCode status(const Command& cmd, std::string& reply) = 0;
};

enum class PlayMode { kStopped, kPlaying, kPaused };

// The reply to "status ... mode"; a device that cannot play is "not ready".
inline const char* mode_text(PlayMode mode, bool ready) {
  if (!ready) {
    return "not ready";
  }
  switch (mode) {
    case PlayMode::kPlaying:
      return "playing";
    case PlayMode::kPaused:
      return "paused";
    case PlayMode::kStopped:
      break;
  }
  return "stopped";
}

// Pause holds only a device that plays; stop holds any.
inline bool holds(PlayMode wanted, PlayMode now) {
  return wanted != PlayMode::kPaused || now == PlayMode::kPlaying;
}

inline const char* bool_text(bool value) { return value ? "true" : "false"; }

}  // namespace orvanth::music

// One open media device of the command interpreter.
#pragma once

#include <string>

#include "platform/media/mci_command.h"
#include "platform/media/mci_errors.h"

namespace orvanth::mci {

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

// Mode texts of the interface.
inline constexpr const char* kModePlaying = "playing";
inline constexpr const char* kModeStopped = "stopped";
inline constexpr const char* kModePaused = "paused";
inline constexpr const char* kModeNotReady = "not ready";

}  // namespace orvanth::mci

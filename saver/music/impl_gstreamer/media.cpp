// The media services on Linux: an interpreter of the media command strings
// the music module sends ("cdaudio" and files of type "MPEGVideo"), played
// through GStreamer. Every command returns at once; playing goes on in
// GStreamer's own threads. Call from one thread only.
#include "saver/music/media.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "saver/music/impl_gstreamer/cd_device.h"
#include "saver/music/impl_gstreamer/device.h"
#include "saver/music/impl_gstreamer/mpeg_device.h"
#include "saver/music/media_command.h"

namespace orvanth::music {

namespace {

struct OpenDevice {
  std::string alias;
  std::unique_ptr<Device> device;
};

// The interpreter's table of open devices, by alias. Module state: the
// devices are process-wide, and the shell has one thread. Devices left open
// are closed when the table is destroyed at exit.
std::vector<OpenDevice>& devices() {
  static std::vector<OpenDevice> table;
  return table;
}

OpenDevice* find_device(const std::string& alias) {
  for (OpenDevice& d : devices()) {
    if (same_word(d.alias, alias)) {
      return &d;
    }
  }
  return nullptr;
}

bool is_file_type(const std::string& type) {
  return same_word(type, "mpegvideo") || same_word(type, "waveaudio");
}

ErrorCode open_device(const Command& cmd) {
  const bool cd = same_word(cmd.device, "cdaudio") || (cmd.type && same_word(*cmd.type, "cdaudio"));
  if (!cd && !cmd.type) {
    return kErrDeviceTypeRequired;
  }
  if (!cd && !is_file_type(*cmd.type)) {
    return kErrInvalidDeviceName;
  }
  const std::string alias = cmd.alias ? *cmd.alias : cmd.device;
  if (alias.empty()) {
    return kErrMissingDeviceName;
  }
  if (find_device(alias) != nullptr) {
    return cmd.alias ? kErrDuplicateAlias : kErrDeviceOpen;
  }
  std::unique_ptr<Device> device;
  const ErrorCode err = cd ? open_cd_device(device) : open_mpeg_device(cmd.device, device);
  if (err == kOk) {
    devices().push_back({alias, std::move(device)});
  }
  return err;
}

ErrorCode close_device(const Command& cmd) {
  auto& table = devices();
  if (same_word(cmd.device, "all")) {
    table.clear();
    return kOk;
  }
  for (auto it = table.begin(); it != table.end(); ++it) {
    if (same_word(it->alias, cmd.device)) {
      table.erase(it);
      return kOk;
    }
  }
  return kErrInvalidDeviceName;
}

ErrorCode run_on_device(const Command& cmd, std::string& reply) {
  OpenDevice* d = find_device(cmd.device);
  if (d == nullptr) {
    return kErrInvalidDeviceName;
  }
  Device& dev = *d->device;
  switch (cmd.verb) {
    case Verb::kPlay:
      return dev.play(cmd);
    case Verb::kStop:
      return dev.stop();
    case Verb::kPause:
      return dev.pause();
    case Verb::kResume:
      return dev.resume();
    case Verb::kSeek:
      return dev.seek(cmd);
    case Verb::kSet:
      return dev.set(cmd);
    case Verb::kStatus:
      return dev.status(cmd, reply);
    case Verb::kOpen:
    case Verb::kClose:
      break;
  }
  return kErrInternal;
}

ErrorCode execute(const char* text, std::string& reply) {
  if (text == nullptr) {
    return kErrMissingCommandString;
  }
  const ParseResult parsed = parse_command(text);
  if (parsed.error != kOk) {
    return parsed.error;
  }
  switch (parsed.command.verb) {
    case Verb::kOpen:
      return open_device(parsed.command);
    case Verb::kClose:
      return close_device(parsed.command);
    default:
      break;
  }
  return run_on_device(parsed.command, reply);
}

}  // namespace

// The reply, NUL-terminated, goes to reply when it is given and capacity > 0;
// when it does not fit it is cut to nothing and the result is the overflow
// error. On an error the reply buffer is left as it was.
std::uint32_t send_command(const char* command, char* reply, std::uint32_t capacity) {
  std::string text;
  const ErrorCode code = execute(command, text);
  if (code == kOk && reply != nullptr && capacity > 0) {
    if (text.size() >= capacity) {
      reply[0] = '\0';
      return kErrParamOverflow;
    }
    std::memcpy(reply, text.c_str(), text.size() + 1);
  }
  return code;
}

// The text is cut to the buffer; the buffer stays as it was for a code
// without a text.
bool error_text(std::uint32_t code, char* buffer, std::uint32_t capacity) {
  const char* text = error_message(code);
  if (text == nullptr || buffer == nullptr || capacity == 0) {
    return false;
  }
  const std::size_t n = std::min<std::size_t>(std::strlen(text), capacity - 1);
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return true;
}

// A quote inside the path is doubled, so that any name opens (an ordinary
// path gives the plain command text).
std::string quoted_path(std::string_view path) { return quoted(path); }

}  // namespace orvanth::music

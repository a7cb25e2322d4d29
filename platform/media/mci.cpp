#include "platform/media/mci.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/media/mci_cd_device.h"
#include "platform/media/mci_command.h"
#include "platform/media/mci_device.h"
#include "platform/media/mci_mpeg_device.h"

namespace orvanth::mci {

namespace {

struct OpenDevice {
  std::string alias;
  std::unique_ptr<Device> device;
};

// The interpreter's table of open devices, by alias. Module state: the
// interface is process-wide, and the shell has one thread. Devices left open
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
    case Verb::Play:
      return dev.play(cmd);
    case Verb::Stop:
      return dev.stop();
    case Verb::Pause:
      return dev.pause();
    case Verb::Resume:
      return dev.resume();
    case Verb::Seek:
      return dev.seek(cmd);
    case Verb::Set:
      return dev.set(cmd);
    case Verb::Status:
      return dev.status(cmd, reply);
    case Verb::Open:
    case Verb::Close:
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
    case Verb::Open:
      return open_device(parsed.command);
    case Verb::Close:
      return close_device(parsed.command);
    default:
      break;
  }
  return run_on_device(parsed.command, reply);
}

}  // namespace

void close_all() { devices().clear(); }

}  // namespace orvanth::mci

std::uint32_t mciSendStringA(const char* command, char* ret, std::uint32_t capacity,
                             void* /*callback_window*/) {
  std::string reply;
  orvanth::mci::ErrorCode code = orvanth::mci::execute(command, reply);
  if (code == orvanth::mci::kOk && ret != nullptr && capacity > 0) {
    if (reply.size() >= capacity) {
      ret[0] = '\0';
      return orvanth::mci::kErrParamOverflow;
    }
    std::memcpy(ret, reply.c_str(), reply.size() + 1);
  }
  return code;
}

bool mciGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t capacity) {
  const char* text = orvanth::mci::error_text(code);
  if (text == nullptr || buffer == nullptr || capacity == 0) {
    return false;
  }
  const std::size_t n = std::min<std::size_t>(std::strlen(text), capacity - 1);
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return true;
}

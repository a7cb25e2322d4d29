#include "saver/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/ini/ini_file.h"
#include "saver/forms/files.h"
#include "saver/forms/numbers.h"
#include "saver/forms/program.h"
#include "saver/shell_state.h"

namespace orvanth {
namespace {

constexpr std::size_t kValueBuffer = 256;

std::string env_or_empty(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string user_settings_folder() {
  const std::string config = env_or_empty("XDG_CONFIG_HOME");
  const std::string base = !config.empty() ? config : env_or_empty("HOME") + "/.config";
  return base + "/orvanth";
}

// A setting number: the text as a number, rounded down, as a 16-bit integer;
// nothing when the text is not a number or the result does not fit.
std::optional<std::int16_t> setting_number(const std::string& text) {
  const auto value = forms::parse_number(text);
  if (!value) {
    return std::nullopt;
  }
  return forms::to_int16(std::floor(*value));
}

void read_number(std::string_view key, const std::string& path, std::int16_t& target) {
  const std::string text = ReadIni(kSettingsSection, key, path);
  if (text.empty()) {
    target = 0;
    return;
  }
  if (const auto n = setting_number(text)) {
    target = *n;
  }
}

}  // namespace

std::string settings_path_for(const std::string& program_folder, bool folder_writable,
                              bool file_present, const std::string& config_home,
                              const std::string& home) {
  if (folder_writable || file_present) {
    return program_folder + "/" + std::string(kSettingsFileName);
  }
  const std::string base = !config_home.empty() ? config_home : home + "/.config";
  return base + "/orvanth/" + std::string(kSettingsFileName);
}

std::string SettingsPath() {
  const std::string folder = forms::program_folder();
  const std::string beside = folder + "/" + std::string(kSettingsFileName);
  return settings_path_for(folder, ::access(folder.c_str(), W_OK) == 0,
                           ::access(beside.c_str(), F_OK) == 0, env_or_empty("XDG_CONFIG_HOME"),
                           env_or_empty("HOME"));
}

void read_settings_from(const std::string& path) {
  read_number(kKeyBgmType, path, BgmType);
  read_number(kKeyBgmRepeat, path, BgmRepeat);
  const std::string file = ReadIni(kSettingsSection, kKeyBgmFile, path);
  BgmFile = file;
  if (!file.empty() && FileExists(file) != 0) {
    return;
  }
  BgmFile.clear();
  if (BgmType == 2) {
    BgmType = 0;
  }
}

}  // namespace orvanth

std::string ReadIni(std::string_view section, std::string_view key, const std::string& fileName) {
  return orvanth::ini::get_profile_string(section, key, "", orvanth::kValueBuffer, fileName);
}

void WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName) {
  const std::string folder = orvanth::user_settings_folder();
  if (orvanth::forms::folder_of(fileName) == folder) {
    const std::string parent = orvanth::forms::folder_of(folder);
    ::mkdir(parent.c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
  }
  orvanth::ini::write_profile_string(section, key, value, fileName);
}

std::int16_t FileExists(std::string path) {
  if (!path.empty() && path.back() == '/') {
    path.pop_back();
  }
  return orvanth::forms::opens_for_reading(path) ? -1 : 0;
}

void ReadSettings() { orvanth::read_settings_from(orvanth::SettingsPath()); }

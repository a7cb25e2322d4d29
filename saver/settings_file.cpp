#include "saver/settings_file.h"

#include <cmath>
#include <optional>

#include "common/user_folders.h"
#include "saver/forms/files.h"
#include "saver/forms/numbers.h"
#include "saver/forms/profile.h"
#include "saver/forms/program.h"
#include "saver/shell_state.h"

namespace orvanth {
namespace {

constexpr std::size_t kValueBuffer = 256;

std::string user_settings_folder() { return app_folder(config_home()); }

std::string in_folder(const std::string& folder) { return path_in(folder, kSettingsFileName); }

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

std::string settings_path_for(SettingsUse use, const std::string& program_folder,
                              const std::string& config_home, bool user_file_present,
                              bool beside_writable) {
  std::string user = in_folder(app_folder(config_home));
  if (user_file_present) {
    return user;
  }
  if (use == SettingsUse::kSave && !beside_writable) {
    return user;
  }
  return in_folder(program_folder);
}

std::string settings_path(SettingsUse use) {
  const std::string folder = forms::program_folder();
  const std::string beside = in_folder(folder);
  const std::string user = in_folder(user_settings_folder());
  const bool user_present = forms::path_exists(user);
  const bool writable = use == SettingsUse::kSave && forms::profile_writable(beside);
  return settings_path_for(use, folder, config_home(), user_present, writable);
}

std::vector<std::string> save_settings(const std::string& path) {
  std::vector<std::string> places;
  std::string beside;
  if (!path.empty()) {
    places.push_back(path);
  } else {
    beside = in_folder(forms::program_folder());
    const std::string user = in_folder(user_settings_folder());
    if (!forms::path_exists(user)) {
      places.push_back(beside);
    }
    places.push_back(user);
  }
  for (const std::string& place : places) {
    if (place == beside && !forms::profile_writable(place)) {
      continue;
    }
    const bool saved =
        WriteIni(kSettingsSection, kKeyBgmType, forms::number_text(BgmType), place) &&
        WriteIni(kSettingsSection, kKeyBgmRepeat, forms::number_text(BgmRepeat), place) &&
        WriteIni(kSettingsSection, kKeyBgmFile, BgmFile, place);
    if (saved) {
      return {};
    }
  }
  return places;
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
  if (BgmType == kBgmFile) {
    BgmType = kBgmNone;
  }
}

}  // namespace orvanth

std::string ReadIni(std::string_view section, std::string_view key, const std::string& fileName) {
  return orvanth::forms::get_profile_string(section, key, "", orvanth::kValueBuffer, fileName);
}

bool WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName) {
  const std::string folder = orvanth::user_settings_folder();
  if (orvanth::forms::folder_of(fileName) == folder) {
    orvanth::make_folders(folder);
  }
  return orvanth::forms::write_profile_string(section, key, value, fileName);
}

std::int16_t FileExists(std::string path) {
  if (!path.empty() && path.back() == orvanth::kPathSeparator) {
    path.pop_back();
  }
  return orvanth::forms::opens_for_reading(path) ? -1 : 0;
}

void ReadSettings() { orvanth::read_settings_from(orvanth::settings_path()); }

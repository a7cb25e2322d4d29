// The settings file Orvanth.ini and its routines (module Lumevar_B): one
// section "Section" with the three music keys, loaded into BgmType,
// BgmRepeat and BgmFile.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanth {

inline constexpr std::string_view kSettingsSection = "Section";
// The key names as Shift-JIS bytes, so that files of every build agree:
// "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
inline constexpr std::string_view kKeyBgmType = "BGM\x8B\xE6\x95\xAA";
inline constexpr std::string_view kKeyBgmRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
inline constexpr std::string_view kKeyBgmFile = "BGM\xCC\xA7\xB2\xD9";
inline constexpr std::string_view kSettingsFileName = "Orvanth.ini";

// Where the settings live: program_folder + "/Orvanth.ini", unless that
// folder is not writable and holds no settings file; then the user's
// configuration folder (config_home, else home + "/.config") +
// "/orvanth/Orvanth.ini", so that saves are not silently lost.
std::string settings_path_for(const std::string& program_folder, bool folder_writable,
                              bool file_present, const std::string& config_home,
                              const std::string& home);
// The same for this process (program folder, XDG_CONFIG_HOME, HOME).
std::string SettingsPath();

// The music settings as a file image of that path would set them; what
// ReadSettings does, from a given file.
void read_settings_from(const std::string& path);

}  // namespace orvanth

// The value of key, cut to 255 bytes; "" when the key, section or file is
// missing.
std::string ReadIni(std::string_view section, std::string_view key, const std::string& fileName);
// Writes one value, creating file, section or key as needed; failures are not
// reported. Creates the user's settings folder when fileName lies in it.
void WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName);
// -1 when path (without one trailing separator) opens for reading, else 0.
std::int16_t FileExists(std::string path);
// Loads BgmType, BgmRepeat and BgmFile from SettingsPath().
void ReadSettings();

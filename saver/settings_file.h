// The settings file Orvanth.ini and its routines (module Lumevar_B): one
// section "Section" with the three music keys, loaded into BgmType,
// BgmRepeat and BgmFile.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanth {

inline constexpr std::string_view kSettingsSection = "Section";
// The key names as Shift-JIS bytes, so that files of every build agree:
// "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
inline constexpr std::string_view kKeyBgmType = "BGM\x8B\xE6\x95\xAA";
inline constexpr std::string_view kKeyBgmRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
inline constexpr std::string_view kKeyBgmFile = "BGM\xCC\xA7\xB2\xD9";
inline constexpr std::string_view kSettingsFileName = "Orvanth.ini";

// Where the settings live. Two places: beside the program
// (program_folder + "/Orvanth.ini") and the user's file
// (app_folder(config_home) + "/Orvanth.ini"; on Windows "\" joins them, and
// the user's file is %APPDATA%\Orvanth\Orvanth.ini). The user's file, once
// present, is both read and saved (a save beside the program would not be
// read again). Otherwise the file beside the program is read, and saved when
// it (or, with none there, its folder) can be written; else the save goes to
// the user's file, which from then on is the one read.
enum class SettingsUse { kRead, kSave };
std::string settings_path_for(SettingsUse use, const std::string& program_folder,
                              const std::string& config_home, bool user_file_present,
                              bool beside_writable);
// The same for this process (program folder, XDG rules, the files present).
std::string settings_path(SettingsUse use = SettingsUse::kRead);

// The music settings as a file image of that path would set them; what
// ReadSettings does, from a given file.
void read_settings_from(const std::string& path);

// The dialog's save of BgmType, BgmRepeat and BgmFile (WriteIni, in that
// order) to path, or with path empty by the save rule above; a file beside
// the program that takes no write sends the save on to the user's file.
// Empty when saved; otherwise the places tried, in order.
std::vector<std::string> save_settings(const std::string& path = {});

}  // namespace orvanth

// The value of key, cut to 255 bytes; "" when the key, section or file is
// missing.
std::string ReadIni(std::string_view section, std::string_view key, const std::string& fileName);
// Writes one value, creating file, section or key as needed; true when it
// was written. Creates the user's settings folder when fileName lies in it. A
// read-only, unreadable or non-regular file is never written over.
bool WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName);
// -1 when path (without one trailing separator) opens for reading, else 0.
std::int16_t FileExists(std::string path);
// Loads BgmType, BgmRepeat and BgmFile from settings_path().
void ReadSettings();

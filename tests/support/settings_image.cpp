#include "tests/support/settings_image.h"

#include <fstream>

#include "saver/settings_file.h"

namespace orvanth::test {

std::string settings_image(const std::string& type, const std::string& repeat,
                           const std::string& file) {
  const auto line = [](std::string_view key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
  };
  return "[" + std::string(kSettingsSection) + "]\r\n" + line(kKeyBgmType, type) +
         line(kKeyBgmRepeat, repeat) + line(kKeyBgmFile, file);
}

std::string settings_number(int value) { return (value < 0 ? "" : " ") + std::to_string(value); }

void write_settings_file(const std::filesystem::path& path, const std::string& image) {
  std::ofstream(path, std::ios::binary) << image;
}

}  // namespace orvanth::test

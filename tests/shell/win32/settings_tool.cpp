// The settings routines of the Windows shell from a console, for the Linux
// tests under Wine: the program folder is this program's, so a copy of it
// stands where Orvanth.scr would.
//   save TYPE REPEAT FILE   what the dialog's save writes, through
//                           settings_path(Save); prints the file written
//   read                    ReadSettings; prints the file read and
//                           BgmType|BgmRepeat|BgmFile
#include <cstdio>
#include <cstdlib>
#include <string>

#include "saver/forms/numbers.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

int main(int argc, char** argv) {
  using namespace orvanth;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "save" && argc == 5) {
    const std::string path = settings_path(SettingsUse::kSave);
    WriteIni(kSettingsSection, kKeyBgmType, forms::number_text(std::atoi(argv[2])), path);
    WriteIni(kSettingsSection, kKeyBgmRepeat, forms::number_text(std::atoi(argv[3])), path);
    WriteIni(kSettingsSection, kKeyBgmFile, argv[4], path);
    std::printf("%s\n", path.c_str());
    return 0;
  }
  if (command == "read" && argc == 2) {
    const std::string path = settings_path();
    ReadSettings();
    std::printf("%s\n%d|%d|%s\n", path.c_str(), BgmType, BgmRepeat, BgmFile.c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: orvanth_settings_tool save TYPE REPEAT FILE | read\n");
  return 2;
}

// The Windows downloads under Wine on the test X and sound servers: the
// setup's silent install in a prefix of the test's own (for the user alone,
// into a folder of the user's choice, for all users with the programs in
// System32), the screen saver it
// sets started as the system starts it, and the silent uninstall; the zip's
// three files and its programs from a folder with blanks and Japanese
// characters; the version and icon of each program and of the setup; the
// registry as reg reads it.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "saver/art/resources.h"
#include "tests/package/wine_package.h"
#include "tests/run/run_shell.h"
#include "tests/support/settings_image.h"
#include "tests/support/wine_shell.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr milliseconds kLong = seconds(60);
constexpr char kDesktop[] = "HKCU\\Control Panel\\Desktop";
constexpr char kSaver[] = "SCRNSAVE.EXE";
constexpr char kEntry[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvanth";

// "C:\users\NAME": two folders above %LOCALAPPDATA%.
std::string profile_folder() {
  std::string path = wine::folder("local");
  for (int up = 0; up < 2; ++up) {
    path = path.substr(0, path.rfind('\\'));
  }
  return path;
}

bool skip_without_downloads() {
  return !wine::available() || !fs::exists(wine::setup_download()) ||
         !fs::exists(wine::zip_download());
}
constexpr char kNoDownloads[] =
    "no Windows build, or its downloads are not made (cmake --build <Windows build> --target "
    "package_windows)";

// The saver as the system starts it from its registry value: /s, then the
// renderer's first frame; a 31 x 31 pixel move ends both programs.
void run_until_the_mouse_moves(Screen& screen, const std::string& program) {
  screen.move_pointer(kStartX, kStartY);
  wine::Program saver(program, {"/s"});
  ASSERT_TRUE(screen.window_within("Lumevar_Delphi", kLong)) << program;
  ASSERT_TRUE(screen.first_frame_within(kLong));
  screen.move_pointer(kStartX + 31, kStartY + 31);
  EXPECT_TRUE(saver.ends_within(kLong));
  EXPECT_EQ(saver.exit_code(), 0);
  EXPECT_TRUE(screen.window_gone_within("Lumevar_Delphi", kLong));
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string word; in >> word;) {
    out.push_back(word);
  }
  return out;
}

struct InstallCase {
  const char* name;
  bool all_users;
  // Below the user's profile folder, given with /D=; null: the default.
  const char* chosen_folder;
  // Where the two programs go; null: beside the uninstaller.
  const char* programs_folder;
  // SCRNSAVE.EXE before the install, and one the user picks after it.
  std::optional<std::string> previous_saver;
  std::optional<std::string> picked_since;
  bool remove_settings;
};

void PrintTo(const InstallCase& c, std::ostream* out) { *out << c.name; }

const InstallCase kInstallCases[] = {
    {"ForTheUser", false, nullptr, nullptr, std::nullopt, std::nullopt, false},
    {"IntoAChosenFolder", false, "Orvanth Screen Savers\\Planets over water", nullptr,
     "C:\\windows\\system32\\scrnsave.scr", std::nullopt, true},
    {"ForAllUsers", true, nullptr, "C:\\windows\\system32", "C:\\windows\\system32\\ssText3d.scr",
     "C:\\windows\\system32\\Mystify.scr", true},
};

class WineSetup : public ::testing::TestWithParam<InstallCase> {
 protected:
  void SetUp() override {
    if (skip_without_downloads()) {
      GTEST_SKIP() << kNoDownloads;
    }
    ASSERT_TRUE(prefix_.made());
    ASSERT_TRUE(screen_.open());
    ASSERT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong)) << "a renderer is still up";
  }
  // Where the case installs, as a Windows path.
  std::string install_folder(const InstallCase& c) {
    if (c.chosen_folder != nullptr) {
      return profile_folder() + "\\" + c.chosen_folder;
    }
    if (c.all_users) {
      return *wine::registry_value("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion",
                                   "ProgramFilesDir") +
             "\\Orvanth";
    }
    return wine::folder("local") + "\\Programs\\Orvanth";
  }

  wine::OwnPrefix prefix_;
  Screen screen_;
};

TEST_P(WineSetup, InstallsRunsAndUninstallsSilently) {
  const InstallCase& c = GetParam();
  const std::string folder = install_folder(c);
  const fs::path files = wine::unix_path(folder);
  // The 64-bit view: system32 of the prefix itself, not syswow64.
  const std::string program_folder = c.programs_folder ? c.programs_folder : folder;
  const fs::path programs = wine::unix_path(program_folder);
  const std::string entry = (c.all_users ? "HKLM" : "HKCU") + std::string(kEntry);
  ASSERT_EQ(wine::registry_value(kDesktop, kSaver), std::nullopt) << "a fresh prefix has no saver";
  if (c.previous_saver) {
    ASSERT_TRUE(wine::set_registry_value(kDesktop, kSaver, *c.previous_saver));
  }

  std::vector<std::string> switches{"/S"};
  if (c.all_users) {
    switches.push_back("/ALLUSERS");
  }
  if (c.chosen_folder != nullptr) {
    // Last and unquoted, as NSIS wants it: Wine quotes a word with blanks.
    for (const std::string& word : words("/D=" + folder)) {
      switches.push_back(word);
    }
  }
  ASSERT_EQ(wine::run(wine::setup_download().string(), switches), 0);
  const std::pair<fs::path, const char*> installed[] = {
      {programs, "Orvanth.scr"}, {programs, "Orvanth.data"}, {files, "Uninstall.exe"}};
  std::uintmax_t bytes = 0;
  for (const auto& [where, name] : installed) {
    ASSERT_TRUE(fs::is_regular_file(where / name)) << where / name;
    bytes += fs::file_size(where / name);
  }
  if (programs != files) {
    for (const fs::path& other : {files, wine::unix_path("C:\\windows\\syswow64")}) {
      EXPECT_FALSE(fs::exists(other / "Orvanth.scr") || fs::exists(other / "Orvanth.data"))
          << other;
    }
  }

  // The short path the system starts screen savers by: no blanks even in a
  // folder with them.
  const std::optional<std::string> saver = wine::registry_value(kDesktop, kSaver);
  ASSERT_TRUE(saver);
  EXPECT_EQ(*saver, wine::short_path(program_folder + "\\Orvanth.scr"));
  EXPECT_EQ(saver->find(' '), std::string::npos) << *saver;

  const std::string also = c.all_users ? " /ALLUSERS" : "";
  const std::pair<const char*, std::string> values[] = {
      {"DisplayName", "Orvanth"},
      {"DisplayVersion", ORVANTH_VERSION},
      {"Publisher", "Orvanth developers"},
      {"DisplayIcon", program_folder + "\\Orvanth.scr,0"},
      {"InstallLocation", folder},
      {"UninstallString", "\"" + folder + "\\Uninstall.exe\"" + also},
      {"QuietUninstallString", "\"" + folder + "\\Uninstall.exe\" /S" + also},
      {"NoModify", "0x1"},
      {"NoRepair", "0x1"},
  };
  for (const auto& [name, value] : values) {
    EXPECT_EQ(wine::registry_value(entry, name), value) << name;
  }
  const std::optional<std::string> size = wine::registry_value(entry, "EstimatedSize");
  ASSERT_TRUE(size);
  EXPECT_NEAR(static_cast<double>(std::stoul(*size, nullptr, 16)),
              static_cast<double>(bytes) / 1024.0, 3);

  // Settings in both places the programs keep them, then a run.
  const std::string no_music = settings_image(settings_number(0), " 0", "");
  write_settings_file(programs / "Orvanth.ini", no_music);
  fs::create_directories(wine::user_settings().parent_path());
  write_settings_file(wine::user_settings(), no_music);
  run_until_the_mouse_moves(screen_, *saver);
  ASSERT_TRUE(fs::exists(wine::textures() / "Orvanth00.bmp"));
  if (c.picked_since) {
    ASSERT_TRUE(wine::set_registry_value(kDesktop, kSaver, *c.picked_since));
  }

  // The quiet uninstall as the system would run it; the uninstaller goes on
  // in a copy of itself and removes the entry last.
  const std::optional<std::string> quiet = wine::registry_value(entry, "QuietUninstallString");
  ASSERT_TRUE(quiet);
  const std::size_t close = quiet->find('"', 1);
  std::vector<std::string> arguments = words(quiet->substr(close + 1));
  if (c.remove_settings) {
    arguments.push_back("/REMOVESETTINGS");
  }
  ASSERT_EQ(wine::run(quiet->substr(1, close - 1), arguments), 0);
  ASSERT_TRUE(wait_for([&] { return !wine::registry_key_exists(entry); }, kLong));

  for (const auto& [where, name] : installed) {
    EXPECT_FALSE(fs::exists(where / name)) << where / name;
  }
  EXPECT_FALSE(fs::exists(wine::textures()));
  EXPECT_EQ(fs::exists(programs / "Orvanth.ini"), !c.remove_settings);
  EXPECT_EQ(fs::exists(wine::user_settings()), !c.remove_settings);
  // Kept settings beside the uninstaller keep its folder.
  EXPECT_EQ(fs::exists(files), !c.remove_settings && programs == files);
  EXPECT_EQ(wine::registry_value(kDesktop, kSaver),
            c.picked_since ? c.picked_since : c.previous_saver);
}

INSTANTIATE_TEST_SUITE_P(Cases, WineSetup, ::testing::ValuesIn(kInstallCases),
                         [](const auto& test) { return std::string(test.param.name); });

// The zip in the run's prefix: unpacked where the user puts it, then removed.
class WineZip : public ::testing::Test {
 protected:
  void SetUp() override {
    if (skip_without_downloads()) {
      GTEST_SKIP() << kNoDownloads;
    }
    ASSERT_TRUE(screen_.open());
    ASSERT_TRUE(screen_.window_gone_within("Lumevar_Delphi", kLong)) << "a renderer is still up";
    wine::forget_user_files();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(unpacked_, ignored);
  }
  // Unpacks the zip into the Windows folder: false when unzip fails.
  bool unpack_into(const std::string& windows_folder) {
    unpacked_ = wine::unix_path(windows_folder);
    fs::create_directories(unpacked_);
    Process unzip("/usr/bin/unzip",
                  {"-q", wine::zip_download().string(), "-d", unpacked_.string()});
    return unzip.ends_within(kLong) && unzip.exit_code() == 0;
  }

  Screen screen_;
  fs::path unpacked_;
};

TEST_F(WineZip, HoldsTheTwoProgramsAndTheReadmeAlone) {
  const std::optional<std::string> listing =
      wine::output_of({"unzip", "-Z1", wine::zip_download().string()});
  ASSERT_TRUE(listing);
  const std::vector<std::string> names = words(*listing);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"Orvanth.scr", "Orvanth.data", "README.txt"}));
  EXPECT_EQ(names.size(), 3U);
}

// Started by the short path that "Install" gives the system for it, and by
// the long path that the menu's "Test" uses, the run finds its renderer
// beside it; the settings dialog opens by the long path, as a double click
// starts it.
TEST_F(WineZip, RunsFromAFolderWithBlanksAndJapaneseCharacters) {
  const std::string folder = profile_folder() + "\\オルヴァンス テスト";
  ASSERT_TRUE(unpack_into(folder));
  const std::string program = folder + "\\Orvanth.scr";
  const std::string short_program = wine::short_path(program);
  ASSERT_FALSE(short_program.empty());
  for (const std::string& path : {short_program, program}) {
    SCOPED_TRACE(path);
    run_until_the_mouse_moves(screen_, path);
  }

  wine::Program dialog(program, {"/c"});
  ASSERT_TRUE(screen_.window_within("<Quillon>", kLong));
  ASSERT_EQ(wine::probe({"close", "<Quillon>"}), 0);
  EXPECT_TRUE(dialog.ends_within(kLong));
}

// What the tests read the registry with: values as reg add wrote them, in
// a key of the run's prefix removed after.
TEST(WineRegistry, QueryReadsWhatAddWrote) {
  if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
  const std::string key = "HKCU\\Software\\Orvanth registry test";
  const std::pair<const char*, const char*> values[] = {
      {"SCRNSAVE.EXE", "C:\\PROG~FBU\\Orvanth\\Orvanth.scr"},
      {"Blanks", "C:\\Program Files\\Orvanth  two"},
      {"Empty", ""},
  };
  for (const auto& [name, value] : values) {
    ASSERT_TRUE(wine::set_registry_value(key, name, value)) << name;
  }
  for (const auto& [name, value] : values) {
    EXPECT_EQ(wine::registry_value(key, name), value) << name;
  }
  EXPECT_EQ(wine::registry_value(key, "Missing"), std::nullopt);
  EXPECT_EQ(wine::run("reg", {"delete", key, "/f"}), 0);
  EXPECT_FALSE(wine::registry_key_exists(key));
}

struct ResourceCase {
  const char* file;
  const char* description;
  bool in_zip;
};

void PrintTo(const ResourceCase& c, std::ostream* out) { *out << c.file; }

const ResourceCase kResourceCases[] = {
    {"Orvanth.scr", "Orvanth screen saver", true},
    {"Orvanth.data", "Orvanth renderer", true},
    {"Orvanth-" ORVANTH_VERSION "-setup.exe", "Orvanth screen saver setup", false},
};

// The icon as the probe prints its pixels: RGBA hex, top row first.
std::string icon_hex() {
  const art::Picture icon = art::icon();
  std::string out;
  for (int i = 0; i < icon.width * icon.height; ++i) {
    const std::uint8_t* p =
        icon.pixels + static_cast<std::size_t>(i) * static_cast<std::size_t>(icon.channels);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%02x%02x%02x%02x", p[0], p[1], p[2],
                  icon.channels == 4 ? p[3] : 255);
    out += hex;
  }
  return out;
}

class WineResources : public WineZip, public ::testing::WithParamInterface<ResourceCase> {
 protected:
  TempFolder scratch_{"orvanth-wine-resources"};
};

TEST_P(WineResources, VersionAndIcon) {
  const ResourceCase& c = GetParam();
  fs::path file = wine::setup_download();
  if (c.in_zip) {
    ASSERT_TRUE(unpack_into(wine::windows_path(scratch_.path() / "zip")));
    file = unpacked_ / c.file;
  }
  const std::map<std::string, std::string> found = wine::resources(file);
  const std::pair<const char*, std::string> strings[] = {
      {"ProductName", "Orvanth"},       {"ProductVersion", ORVANTH_VERSION},
      {"FileVersion", ORVANTH_VERSION}, {"FileDescription", c.description},
      {"OriginalFilename", c.file},     {"CompanyName", "Orvanth developers"},
      {"fixed", ORVANTH_VERSION ".0"},  {"icon", "32 32 32"},
  };
  for (const auto& [name, value] : strings) {
    EXPECT_EQ(found.count(name) ? found.at(name) : "(none)", value) << name;
  }
  EXPECT_TRUE(found.count("pixels") && found.at("pixels") == icon_hex())
      << "not the artwork's icon";
}

INSTANTIATE_TEST_SUITE_P(Files, WineResources, ::testing::ValuesIn(kResourceCases),
                         [](const auto& test) {
                           std::string name = test.param.file;
                           for (char& ch : name) {
                             ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace orvanth::test

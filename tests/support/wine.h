// Test support for the Windows programs under Wine on the test X and sound
// servers: where the Windows build put them, the prefix of this test run
// ($WINEPREFIX, made by scripts/test-servers.sh), paths between the two
// systems, and the Win32 probe (tests/support/win32/).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/process.h"

namespace orvanth::test::wine {

// Whether the tests were built with a Windows build beside them.
bool available();
inline constexpr char kNoWindowsBuild[] = "built without a Windows build (ORVANTH_WINDOWS_BUILD)";
// The Windows build's folder.
std::filesystem::path build();
// <Windows build>/dist, where Orvanth.scr and Orvanth.data are.
std::filesystem::path dist();

// "Z:\..." for a path of this machine (Wine maps Z: to /).
std::string windows_path(const std::filesystem::path& path);
// The path of this machine that a Windows path names in this run's prefix.
std::filesystem::path unix_path(const std::string& windows_path);

// What the probe prints for "folder NAME" (local, roaming, textures), as
// the Windows programs compute it; asked once per name.
std::string folder(const std::string& name);
// The same folder as a path of this machine.
std::filesystem::path unix_folder(const std::string& name);

// Runs a console program of the Windows build to its end, through runner
// (a command line put before wine, e.g. to run it as another user) when
// given: its exit code, its output in *out when given.
int run_console(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::string* out = nullptr, const std::string& runner = {});
// What a command of this machine prints on stdout, when it ends with 0.
std::optional<std::string> output_of(const std::vector<std::string>& command);
// The Win32 probe (tests/support/win32/).
std::filesystem::path probe_program();
// Runs the probe to its end: its exit code, its output in *out when given.
int probe(const std::vector<std::string>& arguments, std::string* out = nullptr);

// The screen's dots per inch that the Windows programs started while it
// lives see (HKCU\Control Panel\Desktop\LogPixels of this run's prefix);
// the value is removed again at its end, back to Wine's 96.
class ScreenDpi {
 public:
  explicit ScreenDpi(int dpi);
  ~ScreenDpi();
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;
  bool set() const { return set_; }

 private:
  bool set_ = false;
};

// A Windows program under Wine, in a process group of its own.
class Program : public Process {
 public:
  Program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const EnvironmentChanges& environment = {},
          const std::filesystem::path& stderr_file = {});
};

}  // namespace orvanth::test::wine

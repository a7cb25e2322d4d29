// Test support for the Windows downloads under Wine: where the Windows build
// put them, a Wine prefix of a test's own, Wine programs run to their end,
// the registry through Wine's reg, and the package probe
// (tests/package/package_probe.cpp).
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/wine.h"

namespace orvanth::test::wine {

// <Windows build>/package/Orvanth-<version>-win64.zip and -setup.exe.
std::filesystem::path zip_download();
std::filesystem::path setup_download();

// A fresh prefix made by wineboot; every Wine program this process starts
// uses it until it goes, when its wineserver ends and the run's prefix is
// back in WINEPREFIX.
class OwnPrefix {
 public:
  OwnPrefix();
  ~OwnPrefix();
  OwnPrefix(const OwnPrefix&) = delete;
  OwnPrefix& operator=(const OwnPrefix&) = delete;
  bool made() const { return made_; }

 private:
  TempFolder root_{"orvanth-wine-prefix"};
  std::optional<std::string> previous_;
  bool made_ = false;
};

// Runs a Windows program (or one of Wine's own, such as "reg") to its end:
// its exit code, -1 when it did not end within limit (it is then killed).
int run(const std::string& program, const std::vector<std::string>& arguments,
        std::chrono::milliseconds limit = std::chrono::seconds(60));

// A value as `wine reg query KEY /v NAME` prints it ("0x1" for a DWORD);
// nothing when reg finds no such value.
std::optional<std::string> registry_value(const std::string& key, const std::string& name);
// Whether reg finds the key at all.
bool registry_key_exists(const std::string& key);
bool set_registry_value(const std::string& key, const std::string& name, const std::string& value);

// The package probe: GetShortPathNameW of a Windows path ("" when it fails),
// and the version strings and icon of a program file ("fixed", "icon",
// "pixels" and each string's name).
std::string short_path(const std::string& windows_path);
std::map<std::string, std::string> resources(const std::filesystem::path& file);

}  // namespace orvanth::test::wine

#include "tests/support/shell_run.h"

#include "tests/support/settings_image.h"

namespace orvanth::test {

namespace fs = std::filesystem;

ShellInstall::ShellInstall(bool with_renderer) {
  for (const fs::path& folder : {this->folder(), cache(), config()}) {
    fs::create_directories(folder);
  }
  fs::copy_file(fs::path(ORVANTH_BIN_DIR) / "Orvanth.scr", program());
  const auto data = fs::path(ORVANTH_BIN_DIR) / "Orvanth.data";
  if (with_renderer && fs::exists(data)) {
    fs::copy_file(data, renderer());
  }
}

EnvironmentChanges ShellInstall::environment() const {
  return {{"XDG_CACHE_HOME", cache().string()}, {"XDG_CONFIG_HOME", config().string()}};
}

void write_settings(const ShellInstall& install, int bgm_type, int bgm_repeat,
                    const std::string& bgm_file) {
  write_settings_file(install.settings(), settings_image(settings_number(bgm_type),
                                                         settings_number(bgm_repeat), bgm_file));
}

namespace {

EnvironmentChanges shell_environment(const ShellInstall& install, bool with_display) {
  EnvironmentChanges out = install.environment();
  if (!with_display) {
    out["DISPLAY"] = std::nullopt;
  }
  return out;
}

}  // namespace

ShellProcess::ShellProcess(const ShellInstall& install, const std::vector<std::string>& arguments,
                           bool with_display)
    : Process(install.program(), arguments, shell_environment(install, with_display)) {}

}  // namespace orvanth::test

#include "tests/support/wine_shell.h"

#include <fstream>

#include "tests/support/process.h"
#include "tests/support/x_client.h"

namespace orvanth::test::wine {

namespace fs = std::filesystem;

ShellFolder::ShellFolder(bool with_renderer) : folder_(root_.path() / "Orvanth") {
  fs::create_directories(folder_);
  fs::copy_file(dist() / "Orvanth.scr", program());
  if (with_renderer) {
    fs::copy_file(dist() / "Orvanth.data", folder_ / "Orvanth.data");
  }
}

std::vector<pid_t> ShellFolder::processes(const std::string& name) const {
  // Wine shows a program's command line in place of its arguments: the path
  // it was started by, in either form.
  const std::string unix_form = (folder_ / name).string();
  const std::string windows_form = windows_path(folder_ / name);
  std::vector<pid_t> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string id = entry.path().filename().string();
    if (id.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    const pid_t pid = std::stoi(id);
    const std::string line = file_bytes(entry.path() / "cmdline");
    if ((line.find(unix_form) != std::string::npos ||
         line.find(windows_form) != std::string::npos) &&
        process_state(pid) != 'Z' && process_state(pid) != '\0') {
      out.push_back(pid);
    }
  }
  return out;
}

fs::path user_settings() { return unix_folder("roaming") / "Orvanth" / "Orvanth.ini"; }

fs::path textures() { return unix_folder("textures"); }

void forget_user_files() {
  std::error_code ignored;
  fs::remove_all(user_settings().parent_path(), ignored);
  fs::remove_all(textures(), ignored);
}

HostWindow::HostWindow(const std::string& title, int width, int height)
    : title_(title),
      process_(probe_program(), {"host", title, std::to_string(width), std::to_string(height)}) {
  // Up on the X server too: Win32 has the window before X maps it, and a
  // late map would count as a window of the program under test.
  XClient x;
  wait_for(
      [&] {
        std::string out;
        if (probe({"window", title_}, &out) != 0) {
          return false;
        }
        handle_ = out.substr(0, out.find_first_of("\r\n"));
        return !handle_.empty() && x.display() != nullptr && find_window(x.display(), title_) != 0;
      },
      std::chrono::seconds(60));
}

bool HostWindow::destroy() {
  probe({"close", title_});
  return process_.ends_within(std::chrono::seconds(30));
}

}  // namespace orvanth::test::wine

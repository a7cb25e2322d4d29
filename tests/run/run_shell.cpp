#include "tests/run/run_shell.h"

#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "saver/art/resources.h"
#include "saver/run/run_rules.h"
#include "tests/support/files.h"

namespace orvanth::test {

namespace fs = std::filesystem;

namespace {

EnvironmentChanges run_environment(const ShellInstall& install,
                                   const std::map<std::string, std::string>& extra_env) {
  EnvironmentChanges out = install.environment();
  for (const auto& [key, value] : extra_env) {
    out[key] = value;
  }
  return out;
}

}  // namespace

RunShell::RunShell(const ShellInstall& install, const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& extra_env)
    : Process(install.program(), arguments, run_environment(install, extra_env),
              install.folder().parent_path() / "shell.err"),
      folder_(install.folder()),
      err_path_(install.folder().parent_path() / "shell.err") {}

RunShell::~RunShell() {
  kill();
  for (const pid_t r : processes_of(folder_ / "Orvanth.data")) {
    ::kill(r, SIGKILL);
  }
  renderer_gone_within(std::chrono::seconds(5));
}

std::string RunShell::stderr_text() const { return file_bytes(err_path_); }

std::optional<pid_t> RunShell::renderer(std::chrono::milliseconds limit) const {
  std::optional<pid_t> found;
  wait_for(
      [&] {
        const auto list = processes_of(folder_ / "Orvanth.data");
        if (!list.empty()) {
          found = list.front();
        }
        return found.has_value();
      },
      limit);
  return found;
}

bool RunShell::renderer_gone_within(std::chrono::milliseconds limit) const {
  return wait_for([this] { return processes_of(folder_ / "Orvanth.data").empty(); }, limit);
}

namespace {
// Windows of other clients come and go while they are looked at.
int ignore_x_errors(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }
}  // namespace

Screen::Screen() : dpy_(XOpenDisplay(nullptr)) { XSetErrorHandler(ignore_x_errors); }

Screen::~Screen() {
  if (dpy_ != nullptr) {
    XCloseDisplay(dpy_);
  }
}

bool Screen::window_within(const std::string& title, std::chrono::milliseconds limit) {
  return wait_for([&] { return find_window(title) != 0; }, limit);
}

bool Screen::window_gone_within(const std::string& title, std::chrono::milliseconds limit) {
  return wait_for([&] { return find_window(title) == 0; }, limit);
}

bool Screen::first_frame_within(std::chrono::milliseconds limit) {
  return wait_for([&] { return root_pixel(640, 2) == kBackdropPixel; }, limit);
}

std::vector<std::string> cursor_calls(const fs::path& trace, pid_t pid) {
  std::ifstream in(trace);
  std::vector<std::string> out;
  std::string line;
  const std::string prefix = std::to_string(pid) + " ";
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) {
      out.push_back(line.substr(prefix.size()));
    }
  }
  return out;
}

std::optional<Decoded> decode_with_imagemagick(const fs::path& file) {
  const fs::path raw = file.parent_path().parent_path() / (file.stem().string() + ".rgb");
  const fs::path size = raw.string() + ".size";
  const std::string command = "identify -format '%w %h' '" + file.string() + "' > '" +
                              size.string() + "' && convert '" + file.string() +
                              "' -depth 8 'rgb:" + raw.string() + "'";
  if (std::system(command.c_str()) != 0) {
    return std::nullopt;
  }
  Decoded out;
  std::ifstream dims(size);
  dims >> out.width >> out.height;
  std::ifstream in(raw, std::ios::binary);
  out.rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::error_code ec;
  fs::remove(raw, ec);
  fs::remove(size, ec);
  return out;
}

}  // namespace orvanth::test

namespace orvanth::test {
bool xdotool_hold(const std::string& key, const std::function<bool()>& until) {
  if (std::system(("xdotool keydown " + key).c_str()) != 0) {
    return false;
  }
  const bool held = wait_for(until, std::chrono::seconds(15));
  return std::system(("xdotool keyup " + key).c_str()) == 0 && held;
}

int picture_in(const Decoded& d) {
  for (int k = 1; k <= run::kPictureCount; ++k) {
    const art::Picture p = art::planet_map(k);
    if (p.width == d.width && p.height == d.height &&
        run::box_image(p, {p.width, p.height}) == d.rgb) {
      return k;
    }
  }
  return 0;
}

}  // namespace orvanth::test

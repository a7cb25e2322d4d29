#include "tests/run/run_shell.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

extern char** environ;

namespace orvanth::test {

namespace fs = std::filesystem;

void write_settings(const ShellInstall& install, int bgm_type, int bgm_repeat,
                    const std::string& bgm_file) {
  std::ofstream out(install.settings(), std::ios::binary);
  out << "[Section]\r\n"
      << "BGM\x8B\xE6\x95\xAA= " << bgm_type << "\r\n"
      << "BGM\xD8\xCB\xDF\xB0\xC4= " << bgm_repeat << "\r\n"
      << "BGM\xCC\xA7\xB2\xD9=" << bgm_file << "\r\n";
}

std::vector<pid_t> processes_of(const fs::path& program) {
  std::vector<pid_t> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    std::error_code link_error;
    const fs::path exe = fs::read_symlink(entry.path() / "exe", link_error);
    if (!link_error && exe == program && process_state(std::stoi(name)) != 'Z') {
      out.push_back(std::stoi(name));
    }
  }
  return out;
}

char process_state(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos || close + 2 >= text.size()) {
    return '\0';
  }
  return text[close + 2];
}

std::vector<std::string> process_arguments(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
  std::vector<std::string> out;
  std::string arg;
  while (std::getline(in, arg, '\0')) {
    out.push_back(arg);
  }
  return out;
}

RunShell::RunShell(const ShellInstall& install, const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& extra_env)
    : folder_(install.folder()), err_path_(install.folder().parent_path() / "shell.err") {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const std::size_t eq = entry.find('=');
    if (eq != std::string::npos) {
      env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
  }
  env["XDG_CACHE_HOME"] = install.cache().string();
  env["XDG_CONFIG_HOME"] = install.config().string();
  for (const auto& [key, value] : extra_env) {
    env[key] = value;
  }
  std::vector<std::string> env_text;
  for (const auto& [key, value] : env) {
    env_text.push_back(key + "=" + value);
  }
  std::vector<std::string> argv_text{install.program().string()};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argv_text) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : env_text) {
    envp.push_back(e.data());
  }
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
    pid_ = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
}

RunShell::~RunShell() {
  if (pid_ > 0 && !ended()) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  for (const pid_t r : processes_of(folder_ / "Orvanth.data")) {
    ::kill(r, SIGKILL);
  }
  wait_for([this] { return processes_of(folder_ / "Orvanth.data").empty(); },
           std::chrono::seconds(5));
}

bool RunShell::ended() {
  if (status_) {
    return true;
  }
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
  }
  return status_.has_value();
}

bool RunShell::ends_within(std::chrono::milliseconds limit) {
  return wait_for([this] { return ended(); }, limit);
}

bool RunShell::exited_normally() const { return status_ && WIFEXITED(*status_); }

int RunShell::exit_code() const { return exited_normally() ? WEXITSTATUS(*status_) : -1; }

void RunShell::signal(int number) const {
  if (pid_ > 0) {
    ::kill(pid_, number);
  }
}

std::string RunShell::stderr_text() const {
  std::ifstream in(err_path_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

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

void Screen::move_pointer(int x, int y) {
  XWarpPointer(dpy_, None, DefaultRootWindow(dpy_), 0, 0, 0, 0, x, y);
  XSync(dpy_, False);
}

Window Screen::find_window(const std::string& title) {
  Window root = 0;
  Window parent = 0;
  Window* list = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &list, &count) == 0) {
    return 0;
  }
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(dpy_, list[i], &name) != 0 && name != nullptr) {
      if (title == name) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(dpy_, list[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
          found = list[i];
        }
      }
      XFree(name);
    }
  }
  if (list != nullptr) {
    XFree(list);
  }
  return found;
}

bool Screen::window_within(const std::string& title, std::chrono::milliseconds limit) {
  return wait_for([&] { return find_window(title) != 0; }, limit);
}

bool Screen::window_gone_within(const std::string& title, std::chrono::milliseconds limit) {
  return wait_for([&] { return find_window(title) == 0; }, limit);
}

void Screen::send_close(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(dpy_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy_, window, False, NoEventMask, &event);
  XSync(dpy_, False);
}

unsigned long Screen::root_pixel(int x, int y) {
  XImage* image = XGetImage(dpy_, DefaultRootWindow(dpy_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 0;
  }
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFUL;
  XDestroyImage(image);
  return pixel;
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
}  // namespace orvanth::test

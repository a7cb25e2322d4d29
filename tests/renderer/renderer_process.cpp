#include "tests/renderer/renderer_process.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "common/bmp_file.h"

extern char** environ;

namespace orvanth::test {

bool wait_until(const std::function<bool()>& cond, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

namespace {

std::string make_temp_dir(const char* stem) {
  std::string templ = (std::filesystem::temp_directory_path() / stem).string() + ".XXXXXX";
  if (mkdtemp(templ.data()) == nullptr) {
    std::abort();
  }
  return templ;
}

// Top row first, RGB; each file differs from every other.
std::vector<std::uint8_t> top_down(int n, int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      p[0] = static_cast<std::uint8_t>(x + 40 * n);
      p[1] = static_cast<std::uint8_t>(y * 3 + n);
      p[2] = static_cast<std::uint8_t>(37 * n + (x ^ y));
    }
  }
  return rgb;
}

void size_of(int n, int& width, int& height) {
  width = n == 0 ? 252 : 256;
  height = n == 0 ? 124 : 256;
}

}  // namespace

std::vector<std::uint8_t> texture_pixels(int n, int& width, int& height) {
  size_of(n, width, height);
  const auto rgb = top_down(n, width, height);
  std::vector<std::uint8_t> bottom_up(rgb.size());
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    std::copy_n(rgb.begin() + static_cast<std::ptrdiff_t>(row * (height - 1 - y)), row,
                bottom_up.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return bottom_up;
}

TextureHome::TextureHome(int skip) : root_(make_temp_dir("orvanth-tex")) {
  setenv("XDG_CACHE_HOME", root_.c_str(), 1);
  const std::string folder = root_ + "/orvanth/";
  for (int n = 0; n < 7; ++n) {
    if (n == skip) {
      continue;
    }
    int width = 0;
    int height = 0;
    size_of(n, width, height);
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "Orvanth%02d.bmp", n);
    if (!orvanth::WriteBmpFile(folder + leaf, width, height, top_down(n, width, height).data())) {
      std::abort();
    }
  }
}

TextureHome::~TextureHome() { std::filesystem::remove_all(root_); }

Renderer::Renderer() {
  err_path_ = make_temp_dir("orvanth-err") + "/stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  const std::string program = std::string(ORVANTH_BIN_DIR) + "/Orvanth.data";
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) {
    pid_ = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
}

Renderer::~Renderer() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::filesystem::remove_all(std::filesystem::path(err_path_).parent_path());
}

bool Renderer::running() {
  if (pid_ < 0 || status_) {
    return false;
  }
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }
  return true;
}

std::optional<int> Renderer::wait_exit(std::chrono::milliseconds limit) {
  wait_until([this] { return !running(); }, limit);
  return status_;
}

std::string Renderer::stderr_text() const {
  std::ifstream in(err_path_);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string window_name(Display* display, Window window) {
  XTextProperty property{};
  if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) {
    return {};
  }
  std::string name(reinterpret_cast<char*>(property.value), property.nitems);
  XFree(property.value);
  return name;
}

Window find_window(Display* display, const std::string& title) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return 0;
  }
  Window found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
        attributes.map_state == IsViewable && window_name(display, children[i]) == title) {
      found = children[i];
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

unsigned long root_pixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 0;
  }
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

bool cursor_visible(Display* display) {
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) {
    return true;
  }
  bool visible = false;
  for (int i = 0; i < image->width * image->height; ++i) {
    visible = visible || (image->pixels[i] & 0xFF000000UL) != 0;
  }
  XFree(image);
  return visible;
}

bool xdotool(const std::string& args) {
  return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

void send_close_request(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

}  // namespace orvanth::test

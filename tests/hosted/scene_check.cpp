#include "tests/hosted/scene_check.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <set>

#include "tests/support/wait.h"

namespace orvanth::test {
namespace {

constexpr std::uint32_t kBackdrop = 0x8F9294;
// Planets and rippling water give thousands; a flat or blank window one.
constexpr std::size_t kSceneColours = 64;
// Some frames apart, the bouncing planets move more than this share.
constexpr double kMoved = 0.002;

int ignore_errors(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::optional<WindowImage> capture(Display* display, Window window) {
  auto* previous = XSetErrorHandler(ignore_errors);
  XWindowAttributes attributes{};
  XImage* image = nullptr;
  if (XGetWindowAttributes(display, window, &attributes) != 0 &&
      attributes.map_state == IsViewable) {
    image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                      static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  }
  XSync(display, False);
  XSetErrorHandler(previous);
  if (image == nullptr) {
    return std::nullopt;
  }
  WindowImage out{image->width, image->height, {}};
  out.pixels.reserve(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      out.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFUL));
    }
  }
  XDestroyImage(image);
  return out;
}

bool shows_scene(const WindowImage& image) {
  if (image.width < 8 || image.height < 8) {
    return false;
  }
  const auto width = static_cast<std::size_t>(image.width);
  if (image.pixels[2 * width + width / 2] != kBackdrop) {
    return false;
  }
  const std::set<std::uint32_t> colours(image.pixels.begin(), image.pixels.end());
  return colours.size() >= kSceneColours;
}

double changed_fraction(const WindowImage& a, const WindowImage& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) {
    return 1.0;
  }
  std::size_t changed = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    changed += a.pixels[i] != b.pixels[i] ? 1U : 0U;
  }
  return static_cast<double>(changed) / static_cast<double>(a.pixels.size());
}

bool scene_within(Display* display, Window window, std::chrono::milliseconds limit) {
  return wait_for(
      [&] {
        const auto image = capture(display, window);
        return image && shows_scene(*image);
      },
      limit);
}

bool scene_moves(Display* display, Window window, std::chrono::milliseconds limit) {
  const auto first = capture(display, window);
  return first && wait_for(
                      [&] {
                        const auto later = capture(display, window);
                        return later && shows_scene(*later) &&
                               changed_fraction(*first, *later) > kMoved;
                      },
                      limit);
}

Size window_size(Display* display, Window window) {
  auto* previous = XSetErrorHandler(ignore_errors);
  Size size;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes a{};
      if (XGetWindowAttributes(display, children[i], &a) != 0 &&
          a.width * a.height > size.width * size.height) {
        size = {a.width, a.height};
      }
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  XSync(display, False);
  XSetErrorHandler(previous);
  return size;
}

int sink_input_count() {
  FILE* pipe = ::popen("pactl list short sink-inputs 2>/dev/null", "r");
  if (pipe == nullptr) {
    return -1;
  }
  int lines = 0;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
    lines += c == '\n' ? 1 : 0;
  }
  return ::pclose(pipe) == 0 ? lines : -1;
}

}  // namespace orvanth::test

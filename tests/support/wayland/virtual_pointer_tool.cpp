// orvanth_test_pointer FIFO ACK: a pointer for a compositor whose seat has
// none. Holds one zwlr_virtual_pointer_v1 and reads lines from FIFO:
//   to X Y W H   the pointer to (X, Y) of a W x H output layout
// After each line is done (a round trip) it writes the count of lines done
// to ACK. Ends at the FIFO's end or the compositor's.
#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <string_view>

#include "wayland/wlr-virtual-pointer-unstable-v1-client.h"

namespace {

wl_seat* seat = nullptr;
zwlr_virtual_pointer_manager_v1* manager = nullptr;

void global(void* /*data*/, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t /*version*/) {
  const std::string_view kind = interface;
  if (kind == wl_seat_interface.name && seat == nullptr) {
    seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (kind == zwlr_virtual_pointer_manager_v1_interface.name) {
    manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}
void global_remove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry = {global, global_remove};

std::uint32_t now_ms() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: orvanth_test_pointer FIFO ACK\n");
    return 2;
  }
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "orvanth_test_pointer: no compositor\n");
    return 1;
  }
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (manager == nullptr) {
    std::fprintf(stderr, "orvanth_test_pointer: no zwlr_virtual_pointer_manager_v1\n");
    return 1;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
  wl_display_roundtrip(display);
  std::ofstream(argv[2]) << 0 << '\n';
  FILE* commands = std::fopen(argv[1], "r");
  if (commands == nullptr) {
    return 1;
  }
  char line[256];
  int done = 0;
  while (std::fgets(line, sizeof line, commands) != nullptr) {
    unsigned x = 0;
    unsigned y = 0;
    unsigned width = 0;
    unsigned height = 0;
    if (std::sscanf(line, "to %u %u %u %u", &x, &y, &width, &height) == 4) {
      zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
      zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (wl_display_roundtrip(display) < 0) {
      break;
    }
    std::ofstream(argv[2]) << ++done << '\n';
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}

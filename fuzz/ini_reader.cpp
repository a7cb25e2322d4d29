// Fuzzes the profile reader and writer on arbitrary file images: reading
// never fails, and a write reads back and leaves the other keys alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/ini_file.h"

namespace {

const std::string_view kKeys[] = {"BGM\x8B\xE6\x95\xAA", "BGM\xD8\xCB\xDF\xB0\xC4",
                                  "BGM\xCC\xA7\xB2\xD9", "k"};

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string before[4];
  for (int i = 0; i < 4; ++i) {
    before[i] = orvanth::ini::read_value(text, "Section", kKeys[i], "", 256);
    check(before[i].size() <= 255);
  }
  const std::string written = orvanth::ini::write_value(text, "Section", kKeys[0], " 2");
  check(orvanth::ini::read_value(written, "Section", kKeys[0], "", 256) == "2");
  for (int i = 1; i < 4; ++i) {
    check(orvanth::ini::read_value(written, "Section", kKeys[i], "", 256) == before[i]);
  }
  return 0;
}

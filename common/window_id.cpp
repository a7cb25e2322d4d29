#include "common/window_id.h"

#include <cctype>
#include <charconv>

namespace orvanth {

std::optional<unsigned long> parse_window_id(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  unsigned long long id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || id == 0 ||
      id > 0x1FFFFFFFULL) {
    return std::nullopt;
  }
  return static_cast<unsigned long>(id);
}

}  // namespace orvanth

#include "saver/mode_letter.h"

namespace orvanth {

char mode_letter(std::string_view command_line) {
  if (command_line.size() < 2) {
    return '\0';
  }
  const char c = command_line[1];
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace orvanth

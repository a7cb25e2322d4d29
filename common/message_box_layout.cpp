#include "common/message_box_layout.h"

#include <cstdint>

namespace orvanth {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at text[at], or 0.
std::size_t sequence_length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  std::uint32_t low = 0;  // smallest code point of that length: no overlong forms
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    low = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  std::uint32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) {
      return 0;
    }
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < low || surrogate || code > 0x10FFFF ? 0 : length;
}

std::string_view trim_right(std::string_view text) {
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

// Pieces of a paragraph that end after a blank or a path separator: where a
// line may break.
std::vector<std::string_view> break_pieces(std::string_view paragraph) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t i = 0; i < paragraph.size(); ++i) {
    if (paragraph[i] == ' ' || paragraph[i] == '/' || paragraph[i] == '\\') {
      pieces.push_back(paragraph.substr(start, i + 1 - start));
      start = i + 1;
    }
  }
  if (start < paragraph.size()) {
    pieces.push_back(paragraph.substr(start));
  }
  return pieces;
}

class LineFiller {
 public:
  LineFiller(int max_width, const TextMeasure& measure, std::vector<std::string>& lines)
      : max_width_(max_width), measure_(measure), lines_(lines) {}

  void add_piece(std::string_view piece) {
    if (fits(line_ + std::string(piece))) {
      line_ += piece;
      return;
    }
    end_line();
    if (fits(std::string(piece))) {
      line_ = piece;
      return;
    }
    // A word wider than a whole line goes character by character.
    for (std::size_t at = 0; at < piece.size();) {
      const std::size_t length = sequence_length(piece, at);
      const std::string_view character = piece.substr(at, length);
      if (!line_.empty() && !fits(line_ + std::string(character))) {
        end_line();
      }
      line_ += character;
      at += length;
    }
  }

  void end_line() {
    if (!line_.empty()) {
      lines_.emplace_back(trim_right(line_));
      line_.clear();
    }
  }

  void end_paragraph() {
    lines_.emplace_back(trim_right(line_));
    line_.clear();
  }

 private:
  bool fits(const std::string& text) const { return measure_(trim_right(text)) <= max_width_; }

  int max_width_;
  const TextMeasure& measure_;
  std::vector<std::string>& lines_;
  std::string line_;
};

}  // namespace

std::string valid_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = sequence_length(text, at);
    if (length == 0) {
      out += kReplacement;
      ++at;
    } else {
      out += text.substr(at, length);
      at += length;
    }
  }
  return out;
}

std::vector<std::string> wrap_text(std::string_view text, int max_width,
                                   const TextMeasure& measure) {
  const std::string clean = valid_utf8(text);
  std::vector<std::string> lines;
  LineFiller filler(max_width, measure, lines);
  std::string_view rest = clean;
  for (;;) {
    const std::size_t newline = rest.find('\n');
    for (const std::string_view piece : break_pieces(rest.substr(0, newline))) {
      filler.add_piece(piece);
    }
    filler.end_paragraph();
    if (newline == std::string_view::npos) {
      break;
    }
    rest.remove_prefix(newline + 1);
  }
  return lines;
}

}  // namespace orvanth

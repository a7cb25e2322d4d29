#include "common/ini_file.h"

#include <optional>
#include <vector>

namespace orvanth::ini {
namespace {

struct Line {
  std::size_t begin;  // first byte of the line
  std::size_t end;    // one past its content, before "\r\n" or "\n"
  std::size_t next;   // first byte of the following line
};

std::vector<Line> split_lines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t nl = text.find('\n', pos);
    Line line{pos, nl == std::string_view::npos ? text.size() : nl,
              nl == std::string_view::npos ? text.size() : nl + 1};
    if (line.end > line.begin && text[line.end - 1] == '\r') {
      --line.end;
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && is_blank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

// A lead byte of a two-byte Shift-JIS character: its trail byte may look like
// an ASCII letter and must not be case-folded.
bool is_sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (is_sjis_lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
        return false;
      }
      ++i;
    } else if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

// The section name of a header line "[name]", or nothing.
std::optional<std::string_view> header_name(std::string_view content) {
  content = trim(content);
  if (content.empty() || content.front() != '[') {
    return std::nullopt;
  }
  const std::size_t close = content.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return trim(content.substr(1, close - 1));
}

std::optional<std::string_view> key_of(std::string_view content) {
  const std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) {
    return std::nullopt;
  }
  return trim(content.substr(0, eq));
}

// Where a section lies: the index of its header and of the last key line.
struct SectionSpan {
  std::size_t header;
  std::size_t last_entry;
  std::optional<std::size_t> key_line;
};

std::optional<SectionSpan> find_section(std::string_view text, const std::vector<Line>& lines,
                                        std::string_view section, std::string_view key) {
  std::optional<SectionSpan> span;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view content = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (const auto name = header_name(content)) {
      if (span) {
        break;  // the first section of that name is the one used
      }
      if (same_name(*name, section)) {
        span = SectionSpan{i, i, std::nullopt};
      }
      continue;
    }
    if (!span) {
      continue;
    }
    if (!trim(content).empty()) {
      span->last_entry = i;
    }
    const auto k = key_of(content);
    if (k && !span->key_line && same_name(*k, key)) {
      span->key_line = i;
    }
  }
  return span;
}

// The profile functions drop one pair of double quotes around a whole value.
std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string cut(std::string_view value, std::size_t buffer_size) {
  if (buffer_size == 0) {
    return {};
  }
  return std::string(value.substr(0, buffer_size - 1));
}

}  // namespace

std::string read_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view fallback, std::size_t buffer_size) {
  const std::vector<Line> lines = split_lines(text);
  const auto span = find_section(text, lines, section, key);
  if (!span || !span->key_line) {
    return cut(fallback, buffer_size);
  }
  const Line& line = lines[*span->key_line];
  const std::string_view content = text.substr(line.begin, line.end - line.begin);
  return cut(unquote(trim(content.substr(content.find('=') + 1))), buffer_size);
}

std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::vector<Line> lines = split_lines(text);
  const auto span = find_section(text, lines, section, key);
  const std::string entry = std::string(key) + "=" + std::string(value);
  std::string out;
  if (span && span->key_line) {
    const Line& line = lines[*span->key_line];
    out.append(text.substr(0, line.begin));
    out.append(entry);
    out.append(text.substr(line.end));  // its own line end and everything after
    return out;
  }
  std::size_t insert_at = text.size();
  if (span) {
    insert_at = lines[span->last_entry].next;
  }
  out.append(text.substr(0, insert_at));
  // End the last line before adding one; a final lone CR becomes CRLF.
  if (!out.empty() && out.back() == '\r') {
    out.append("\n");
  } else if (!out.empty() && out.back() != '\n') {
    out.append("\r\n");
  }
  if (!span) {
    out.append("[").append(section).append("]\r\n");
  }
  out.append(entry).append("\r\n");
  out.append(text.substr(insert_at));
  return out;
}

bool storable(std::string_view section, std::string_view key, std::string_view value) {
  const auto has_break = [](std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
  };
  return !has_break(section) && !has_break(key) && !has_break(value) && !key.empty() &&
         key.find('=') == std::string_view::npos && section.find(']') == std::string_view::npos;
}

}  // namespace orvanth::ini

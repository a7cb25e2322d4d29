#include "saver/forms/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvanth::forms {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The length of the longest prefix of s that is a decimal number, 0 if none.
std::size_t number_prefix(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    ++i;
  }
  std::size_t digits = 0;
  while (i < s.size() && is_digit(s[i])) {
    ++i;
    ++digits;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) {
    return 0;
  }
  std::size_t end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
      ++j;
    }
    const std::size_t exponent_start = j;
    while (j < s.size() && is_digit(s[j])) {
      ++j;
    }
    if (j > exponent_start) {
      end = j;
    }
  }
  return end;
}

double convert(std::string_view number) {
  std::string text(number);
  for (char& c : text) {
    if (c == 'd' || c == 'D') {
      c = 'e';
    }
  }
  return std::strtod(text.c_str(), nullptr);
}

template <typename T>
std::optional<T> round_to(double value, double low, double high) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const double rounded = std::nearbyint(value);  // default mode: halves to even
  if (rounded < low || rounded > high) {
    return std::nullopt;
  }
  return static_cast<T>(rounded);
}

}  // namespace

std::string format_hash(double n) {
  const double rounded = std::round(n);
  if (rounded == 0.0 || !std::isfinite(rounded)) {
    return {};
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
  return buffer;
}

std::string number_text(std::int32_t n) {
  return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

double text_to_number(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) {
    text.remove_prefix(1);
  }
  const std::size_t length = number_prefix(text);
  return length == 0 ? 0.0 : convert(text.substr(0, length));
}

std::optional<double> parse_number(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && is_blank(text.back())) {
    text.remove_suffix(1);
  }
  const std::size_t length = number_prefix(text);
  if (length == 0 || length != text.size()) {
    return std::nullopt;
  }
  const double value = convert(text);
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool is_numeric(std::string_view text) { return parse_number(text).has_value(); }

std::optional<std::int16_t> to_int16(double value) {
  return round_to<std::int16_t>(value, -32768.0, 32767.0);
}

std::optional<std::int32_t> to_int32(double value) {
  return round_to<std::int32_t>(value, -2147483648.0, 2147483647.0);
}

}  // namespace orvanth::forms

// Number texts of the forms runtime: formats, parsing and 16/32-bit
// conversions with the runtime's rounding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanth::forms {

// Format(n, "##"): the digits of n rounded half away from zero, "" for 0.
std::string format_hash(double n);

// Str$(n): decimal text with one leading blank for 0 and above, "-" below.
std::string number_text(std::int32_t n);

// Val(text): leading blanks (space, tab) skipped, then as much of a decimal
// number (sign, digits, point, exponent E or D) as the text holds; 0 when none.
double text_to_number(std::string_view text);

// The whole text, blanks around it allowed, is one decimal number.
std::optional<double> parse_number(std::string_view text);
bool is_numeric(std::string_view text);

// CInt / CLng: rounds halves to even; nothing outside the type's range.
std::optional<std::int16_t> to_int16(double value);
std::optional<std::int32_t> to_int32(double value);

}  // namespace orvanth::forms

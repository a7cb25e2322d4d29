#include "saver/button/property_bag.h"

#include <charconv>
#include <optional>

namespace orvanth {
namespace {

// A whole decimal number, surrounding blanks allowed; anything else is none.
std::optional<std::int64_t> parse_number(const std::string& s) {
  std::size_t b = s.find_first_not_of(' ');
  std::size_t e = s.find_last_not_of(' ');
  if (b == std::string::npos) return std::nullopt;
  const char* first = s.data() + b;
  const char* last = s.data() + e + 1;
  std::int64_t n = 0;
  auto [ptr, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return n;
}

}  // namespace

bool property_values_equal(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() == b.index()) return a == b;
  const auto* an = std::get_if<std::int64_t>(&a);
  const auto* bn = std::get_if<std::int64_t>(&b);
  const auto* as = std::get_if<std::string>(&a);
  const auto* bs = std::get_if<std::string>(&b);
  if (an != nullptr && bs != nullptr) return parse_number(*bs) == *an;
  if (as != nullptr && bn != nullptr) return parse_number(*as) == *bn;
  return false;
}

std::int64_t property_number(const PropertyValue& v) {
  if (const auto* n = std::get_if<std::int64_t>(&v)) return *n;
  if (const auto* s = std::get_if<std::string>(&v)) return parse_number(*s).value_or(0);
  return 0;
}

std::string property_text(const PropertyValue& v) {
  if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return std::get<FontSpec>(v).face;
}

PropertyValue PropertyBag::read_property(const std::string& key,
                                         const PropertyValue& fallback) const {
  auto it = values_.find(key);
  return it != values_.end() ? it->second : fallback;
}

void PropertyBag::write_property(const std::string& key, const PropertyValue& value,
                                 const PropertyValue& fallback) {
  // A value equal to its default is not kept; an older one under the key goes.
  if (property_values_equal(value, fallback)) {
    values_.erase(key);
  } else {
    values_[key] = value;
  }
}

}  // namespace orvanth

// The per-instance property store a container keeps for each user control:
// read a key with a default, write a key with a default (a value equal to its
// default is left out), and a record of the keys a control reported changed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace orvanth {

// A font as stored: the whole font, face to character set.
struct FontSpec {
  std::string face;
  double points = 0.0;
  int weight = 400;
  int charset = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  bool operator==(const FontSpec&) const = default;
};

// Numbers (booleans as -1/0, 8-, 16- and 32-bit values) share one type.
using PropertyValue = std::variant<std::int64_t, std::string, FontSpec>;

// Equality as the store judges it: a string that reads as a whole number
// equals that number, so the defaults "1" and "0" match 1 and 0.
bool property_values_equal(const PropertyValue& a, const PropertyValue& b);

// The value as a number: strings are read as numbers (0 when they are not).
std::int64_t property_number(const PropertyValue& v);
// The value as text: numbers in decimal, a font as its face name.
std::string property_text(const PropertyValue& v);

class PropertyBag {
 public:
  PropertyBag() = default;
  explicit PropertyBag(FontSpec ambient_font) : ambient_font_(std::move(ambient_font)) {}

  PropertyValue read_property(const std::string& key, const PropertyValue& fallback) const;
  void write_property(const std::string& key, const PropertyValue& value,
                      const PropertyValue& fallback);

  bool contains(const std::string& key) const { return values_.count(key) != 0; }
  std::size_t size() const { return values_.size(); }

  // The container's font, the default of a control's "Font".
  const FontSpec& ambient_font() const { return ambient_font_; }

  // Keys a control reported changed, in the order reported; the container
  // saves them with the form.
  void property_changed(const std::string& key) { changed_.push_back(key); }
  const std::vector<std::string>& changed_keys() const { return changed_; }

 private:
  std::map<std::string, PropertyValue> values_;
  std::vector<std::string> changed_;
  FontSpec ambient_font_;
};

}  // namespace orvanth

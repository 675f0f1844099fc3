#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The kinds of value a settings key holds.
enum class LTSettingsType { Integer, Binary, String };

// One typed settings value. Binary and String values keep their bytes in `bytes`; a String holds
// CP1251 text like every string of the program. Reading a value as another type than it has
// fails (nullopt); nothing converts.
struct LTSettingsValue {
  LTSettingsType type = LTSettingsType::Integer;
  std::int32_t integer = 0;
  std::string bytes;

  static LTSettingsValue Integer(std::int32_t value);
  static LTSettingsValue Binary(std::string bytes);
  static LTSettingsValue String(std::string text);
  // A double as the program stores it: a binary value of 8 raw little-endian IEEE bytes.
  static LTSettingsValue Double(double value);

  std::optional<std::int32_t> AsInteger() const;
  std::optional<std::string> AsBinary() const;
  std::optional<std::string> AsString() const;
  // The double of a binary value of exactly 8 bytes.
  std::optional<double> AsDouble() const;

  bool operator==(const LTSettingsValue&) const = default;
};

// The 8 little-endian IEEE bytes of a double, and back (nullopt unless there are exactly 8).
std::string BytesFromDouble(double value);
std::optional<double> DoubleFromBytes(std::string_view bytes);

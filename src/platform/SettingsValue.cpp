#include "platform/SettingsValue.h"

#include <bit>

LTSettingsValue LTSettingsValue::Integer(std::int32_t value) {
  return {LTSettingsType::Integer, value, {}};
}

LTSettingsValue LTSettingsValue::Binary(std::string bytes) {
  return {LTSettingsType::Binary, 0, std::move(bytes)};
}

LTSettingsValue LTSettingsValue::String(std::string text) {
  return {LTSettingsType::String, 0, std::move(text)};
}

LTSettingsValue LTSettingsValue::Double(double value) {
  return Binary(BytesFromDouble(value));
}

std::optional<std::int32_t> LTSettingsValue::AsInteger() const {
  if (type != LTSettingsType::Integer) return std::nullopt;
  return integer;
}

std::optional<std::string> LTSettingsValue::AsBinary() const {
  if (type != LTSettingsType::Binary) return std::nullopt;
  return bytes;
}

std::optional<std::string> LTSettingsValue::AsString() const {
  if (type != LTSettingsType::String) return std::nullopt;
  return bytes;
}

std::optional<double> LTSettingsValue::AsDouble() const {
  if (type != LTSettingsType::Binary) return std::nullopt;
  return DoubleFromBytes(bytes);
}

std::string BytesFromDouble(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  std::string bytes(8, '\0');
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>(bits >> (8 * i) & 0xFF);
  return bytes;
}

std::optional<double> DoubleFromBytes(std::string_view bytes) {
  if (bytes.size() != 8) return std::nullopt;
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return std::bit_cast<double>(bits);
}

#include "cli/CliText.h"

#include <charconv>
#include <cmath>

#include "objectstore/FloatText.h"

std::string FixedText(double value, int decimals) {
  if (!std::isfinite(value)) return "-";
  char text[400];  // room for the largest double in fixed notation
  const auto result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "-";
  std::string shown(text, result.ptr);
  // A negative value that rounds to zero is shown as zero.
  if (shown.front() == '-' && shown.find_first_not_of("-0.") == std::string::npos)
    shown.erase(0, 1);
  return shown;
}

std::string GeneralText(double value) {
  if (!std::isfinite(value)) return "-";
  return FormatStoreFloat(value);
}

bool IsUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    char32_t code;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode.
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

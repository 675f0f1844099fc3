#include "objectstore/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatStoreFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // d.dddddddddddddde[+-]x: the value rounded to 15 significant digits.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::size_t i = 0;
  std::string out;
  if (text[i] == '-') {
    out.push_back('-');
    ++i;
  }
  std::string digits;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (IsDigit(text[i])) digits.push_back(text[i]);
  }
  const int exponent = std::atoi(std::string(text.substr(i + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // exponent is the power of ten of the first digit, so the integer part has exponent + 1 digits.
  if (exponent < -4 || exponent + 1 > kSignificantDigits) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('E');
    out += std::to_string(exponent);  // "-" only for negative exponents
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const auto integerDigits = static_cast<std::size_t>(exponent + 1);
  if (digits.size() <= integerDigits) {
    out += digits;
    out.append(integerDigits - digits.size(), '0');
  } else {
    out.append(digits, 0, integerDigits);
    out.push_back('.');
    out.append(digits, integerDigits);
  }
  return out;
}

std::optional<double> ParseStoreFloat(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string canonical = negative ? "-" : "";
  std::size_t mantissaDigits = 0;
  std::string integerPart, fractionPart;
  while (i < text.size() && IsDigit(text[i])) integerPart.push_back(text[i++]);
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) fractionPart.push_back(text[i++]);
  }
  mantissaDigits = integerPart.size() + fractionPart.size();
  if (mantissaDigits == 0) return std::nullopt;
  canonical += integerPart.empty() ? "0" : integerPart;
  if (!fractionPart.empty()) canonical += "." + fractionPart;
  bool negativeExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    canonical.push_back('e');
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      if (negativeExponent) canonical.push_back('-');
      ++i;
    }
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) canonical.push_back(text[i++]);
    if (i == start) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const char* first = canonical.data();
  const char* last = first + canonical.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large cannot be held at all.
    if (negativeExponent) return negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return value;
}

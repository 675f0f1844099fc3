#include "i18n/NumberText.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

#include "i18n/TextTrim.h"

namespace {

std::atomic<char> gDecimalSeparator{'.'};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsSign(char c) {
  return c == '+' || c == '-';
}

bool IsExponentLetter(char c) {
  return c == 'D' || c == 'E' || c == 'd' || c == 'e';
}

// Checks that a number written with "." as its decimal point has the shape
// [sign] digits [. digits] [E [sign] digits] with at least one mantissa digit and at least one
// exponent digit; std::from_chars alone would also take "inf", "nan" and hexadecimal forms.
bool IsPlainNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && IsSign(text[i])) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && IsSign(text[i])) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

// The shortest decimal digits that read back as the magnitude, without leading zeros (just "0"
// for zero), and the number of them that stand before the decimal point: |value| = 0.digits ×
// 10^point.
struct LTDecimalDigits {
  std::string digits;
  int point = 0;
};

LTDecimalDigits ShortestDigits(double magnitude) {
  char buffer[40];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // "d[.ddd]e±XX"
  const std::size_t e = text.find('e');
  LTDecimalDigits shortest;
  for (char c : text.substr(0, e))
    if (c != '.') shortest.digits += c;
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  shortest.point = exponent + 1;
  return shortest;
}

// The first `keep` digits, rounded half away from zero on the digits dropped; missing digits are
// zeros. A carry out of the first digit makes the result one digit longer ("96" kept to 1 gives
// "10"); keeping none or fewer gives "" or "1".
std::string RoundDigits(const std::string& digits, int keep) {
  if (keep < 0) return "";
  const auto count = static_cast<std::size_t>(keep);
  if (count >= digits.size()) return digits + std::string(count - digits.size(), '0');
  std::string kept = digits.substr(0, count);
  if (digits[count] < '5') return kept;
  std::size_t i = kept.size();
  while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
  if (i == 0)
    kept.insert(kept.begin(), '1');
  else
    ++kept[i - 1];
  return kept;
}

std::string FixedText(double value, int decimals, char separator) {
  const LTDecimalDigits shortest = ShortestDigits(std::fabs(value));
  // The digits of round(|value| × 10^decimals).
  std::string digits = RoundDigits(shortest.digits, shortest.point + decimals);
  const auto fraction = static_cast<std::size_t>(decimals);
  const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
  digits.erase(0, first);
  const bool zero = digits.empty();
  if (digits.size() < fraction + 1) digits.insert(0, fraction + 1 - digits.size(), '0');
  if (fraction > 0) digits.insert(digits.size() - fraction, 1, separator);
  return std::signbit(value) && !zero ? "-" + digits : digits;
}

std::string ExponentText(double value, int significant, char separator) {
  std::string digits(static_cast<std::size_t>(significant), '0');
  int exponent = 0;
  if (value != 0.0) {
    const LTDecimalDigits shortest = ShortestDigits(std::fabs(value));
    digits = RoundDigits(shortest.digits, significant);
    exponent = shortest.point - 1;
    if (digits.size() > static_cast<std::size_t>(significant)) {  // 9.96 to 2 digits is 1.0E+01
      digits.pop_back();
      ++exponent;
    }
  }
  std::string text = value < 0.0 ? "-" : "";
  text += digits.front();
  if (digits.size() > 1) text += separator + digits.substr(1);
  text += exponent < 0 ? "E-" : "E+";
  const std::string exponentDigits = std::to_string(std::abs(exponent));
  if (exponentDigits.size() < 2) text += '0';
  return text + exponentDigits;
}

}  // namespace

char UserDecimalSeparator() {
  return gDecimalSeparator.load(std::memory_order_relaxed);
}

void SetUserDecimalSeparator(char separator) {
  gDecimalSeparator.store(separator, std::memory_order_relaxed);
}

std::optional<double> TryParseValue(std::string_view text) {
  const char separator = UserDecimalSeparator();
  std::string number = TrimText(text);
  for (char& c : number) {
    if (c == ' ')
      c = '0';
    else if (c == ',' || c == '.' || c == separator)
      c = '.';  // every separator reads as the user's one; "." is how it is spelt internally
  }
  if (!IsPlainNumber(number)) return std::nullopt;
  // std::from_chars takes no leading "+".
  std::string_view digits = number;
  if (digits.front() == '+') digits.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

double ParseValue(std::string_view text) {
  return TryParseValue(text).value_or(0.0);
}

std::string FilterTyping(std::string_view text) {
  const char separator = UserDecimalSeparator();
  std::string result;
  result.reserve(text.size());
  bool separatorSeen = false;
  bool exponentSeen = false;
  for (char c : text) {
    if (c == ' ') continue;
    if (c == separator) c = '.';
    if (IsSign(c)) {
      const bool mantissaStart = result.empty();
      const bool exponentStart = exponentSeen && result.back() == 'E';
      result += mantissaStart || exponentStart ? c : '0';
    } else if (c == ',' || c == '.') {
      if (!separatorSeen && !exponentSeen) {
        result += separator;
        separatorSeen = true;
      } else {
        result += '0';
      }
    } else if (IsDigit(c)) {
      result += c;
    } else if (IsExponentLetter(c)) {
      if (!exponentSeen && !result.empty()) {
        result += 'E';
        exponentSeen = true;
      } else {
        result += '0';
      }
    } else {
      result += '0';
    }
  }
  return result;
}

std::string FormatNumber(int width, int decimals, double value) {
  std::string text;
  if (std::isnan(value))
    text = "nan";
  else if (std::isinf(value))
    text = value < 0.0 ? "-inf" : "inf";
  else if (decimals >= 0)
    text = FixedText(value, std::min(decimals, kMaxFormatDecimals), UserDecimalSeparator());
  else
    text = ExponentText(value, -std::max(decimals, -kMaxFormatDecimals), UserDecimalSeparator());
  if (width > 0 && text.size() < static_cast<std::size_t>(width))
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && IsSign(text[i])) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

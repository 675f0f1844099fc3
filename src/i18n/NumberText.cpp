#include "i18n/NumberText.h"

#include <atomic>
#include <charconv>
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

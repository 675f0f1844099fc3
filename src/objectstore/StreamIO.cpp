#include "objectstore/StreamIO.h"

#include "objectstore/FloatText.h"

namespace {

constexpr std::uint8_t kCarriageReturn = 13;
constexpr std::uint8_t kBackslash = 92;

// A hex digit of an escape: "0".."9" are 0..9, any other character counts as its code - 55, so
// only upper-case "A".."F" give 10..15.
int EscapeDigit(std::uint8_t c) {
  return c >= '0' && c <= '9' ? c - '0' : c - 55;
}

}  // namespace

bool CTStreamIO::Fill() {
  if (exhausted_) return false;
  count_ = source_.Read(buffer_.data(), buffer_.size());
  pos_ = 0;
  if (count_ == 0) exhausted_ = true;
  return count_ > 0;
}

// Returns the first byte that is not whitespace (1..32); 0 at the end.
std::uint8_t CTStreamIO::SkipWhitespace() {
  for (;;) {
    const std::uint8_t c = ReadByte();
    if (c == 0 || c > 32) return c;
  }
}

std::int32_t CTStreamIO::ReadInteger() {
  std::uint8_t c = SkipWhitespace();
  bool negative = false;
  if (c == '-') {
    negative = true;
    c = ReadByte();
  }
  std::uint32_t value = 0;  // unsigned, so that overflow wraps instead of being undefined
  lastTokenEmpty_ = !negative && c < '0';
  while (c >= '0') {
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
    c = ReadByte();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

double CTStreamIO::ReadFloat() {
  char token[kFloatTokenCap];
  std::size_t length = 0;
  std::uint8_t c = SkipWhitespace();
  while (c > 32) {
    token[length++] = static_cast<char>(c);
    if (length == kFloatTokenCap) break;
    c = ReadByte();
  }
  const auto value = ParseStoreFloat(std::string_view(token, length));
  return value ? *value : -1.0;
}

bool CTStreamIO::ReadRawString(std::string& out) {
  out.clear();
  const std::int32_t length = ReadInteger();
  if (length < 0) return false;
  for (std::int32_t i = 0; i < length; ++i) {
    if (pos_ == count_ && !Fill()) return false;
    out.push_back(static_cast<char>(buffer_[pos_++]));
  }
  return true;
}

bool CTStreamIO::ReadEscapedString(std::string& out) {
  out.clear();
  std::int32_t remaining = ReadInteger();  // encoded characters still to read
  if (remaining < 0) return false;
  while (remaining > 0) {
    if (AtEnd()) return false;
    std::uint8_t c = ReadByte();
    if (c == kBackslash && remaining > 2) {
      if (AtEnd()) return false;
      const int high = EscapeDigit(ReadByte());
      if (AtEnd()) return false;
      const int low = EscapeDigit(ReadByte());
      c = static_cast<std::uint8_t>((high * 16 + low) & 0xFF);
      remaining -= 3;
    } else {
      remaining -= 1;
    }
    out.push_back(static_cast<char>(c));
  }
  return true;
}

bool CTStreamIO::ReadHeader(std::string_view word, int minVersion, int currentVersion,
                            int* version) {
  // Only a line of the word's length plus three can be accepted, so a longer line is not kept.
  const std::size_t acceptedLength = word.size() + 3;
  std::string line;
  for (;;) {
    if (AtEnd()) break;
    const std::uint8_t c = ReadByte();
    if (c == kCarriageReturn) break;
    if (line.size() == acceptedLength) return false;  // longer than any accepted header
    line.push_back(static_cast<char>(c));
  }
  if (line.size() != acceptedLength || line.compare(0, word.size(), word) != 0) {
    return false;
  }
  const auto digit = [&](std::size_t i) {
    return static_cast<int>(static_cast<std::uint8_t>(line[word.size() + i])) - 48;
  };
  const int v = digit(0) * 100 + digit(1) * 10 + digit(2);
  if (version) *version = v;
  return v >= minVersion && v <= currentVersion;
}

bool CTStreamIO::SkipLines(std::int64_t count) {
  while (count > 0) {
    if (AtEnd()) return false;
    if (ReadByte() == kCarriageReturn) --count;
  }
  return true;
}

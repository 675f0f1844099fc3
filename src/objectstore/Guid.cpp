#include "objectstore/Guid.h"

#include <cstdint>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Byte order of the text's 16 hex pairs in the stored bytes.
constexpr int kByteOfPair[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
// Where a "-" stands in the text after the brace: after pair 4, 6, 8 and 10.
bool DashAfterPair(int pair) {
  return pair == 4 || pair == 6 || pair == 8 || pair == 10;
}

}  // namespace

std::string GuidTextFromBytes(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string b = bytes;
  b.resize(16, '\0');
  std::string text = "{";
  for (int pair = 0; pair < 16; ++pair) {
    if (DashAfterPair(pair)) text.push_back('-');
    const auto v = static_cast<std::uint8_t>(b[static_cast<std::size_t>(kByteOfPair[pair])]);
    text.push_back(kHex[v >> 4]);
    text.push_back(kHex[v & 15]);
  }
  text.push_back('}');
  return text;
}

std::string GuidBytesFromText(const std::string& text) {
  std::string bytes(16, '\0');
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return bytes;
  std::size_t i = 1;
  for (int pair = 0; pair < 16; ++pair) {
    if (DashAfterPair(pair)) {
      if (text[i++] != '-') return std::string(16, '\0');
    }
    const int hi = HexValue(text[i]), lo = HexValue(text[i + 1]);
    if (hi < 0 || lo < 0) return std::string(16, '\0');
    bytes[static_cast<std::size_t>(kByteOfPair[pair])] = static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return bytes;
}

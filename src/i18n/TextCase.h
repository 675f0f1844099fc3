#pragma once

#include <string>
#include <string_view>

// Letter case of the program's 8-bit text (CP1251): the ASCII letters, the Cyrillic capitals
// 0xC0-0xDF and Ё (0xA8) have lower-case forms; every other byte is its own lower case.
inline char LowerCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
  if (b == 0xA8) return static_cast<char>(0xB8);
  return c;
}

inline std::string LowerText(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerCp1251(c);
  return result;
}

// Whether two texts are equal without regard to case.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerCp1251(a[i]) != LowerCp1251(b[i])) return false;
  }
  return true;
}

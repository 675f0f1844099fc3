#pragma once

#include <string>
#include <string_view>

// The text without the blanks and control characters (bytes up to and including the space) at
// both ends. Bytes above 127 are CP1251 letters and signs and are never trimmed.
inline std::string TrimText(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

#pragma once

#include <cstdint>

// Type codes of stored fields; the same codes stand in front of every value in the text files.
enum TFieldType : std::uint8_t {
  kFtBoolean = 0,
  kFtInteger = 2,
  kFtDouble = 4,
  kFtString = 5,
  kFtCurrency = 6,
  kFtDateTime = 7,
  kFtBlob = 8,
  kFtGuid = 9,
};

inline bool IsValidFieldType(int code) {
  return code == 0 || code == 2 || (code >= 4 && code <= 9);
}
// Types held as byte strings (strings, blobs, GUIDs as their 16 bytes).
inline bool IsBytesType(int code) {
  return code == kFtString || code == kFtBlob || code == kFtGuid;
}
// Types held as numbers that convert into each other on loading.
inline bool IsNumericType(int code) {
  return code == kFtInteger || code == kFtDouble || code == kFtCurrency || code == kFtDateTime;
}

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Stream.h"

// The byte reader of the text object format. It fills a 16,384-byte buffer from the underlying
// stream and returns byte 0 once the stream is exhausted, so the end of the data always reads as
// byte 0. Failures of the underlying stream throw CTStreamError.
//
// Tokens are separated by whitespace (bytes 1 to 32); strings carry length prefixes. Every reader
// here stops at the end of the data and never allocates more than the bytes that really exist.
class CTStreamIO {
 public:
  static constexpr std::size_t kBufferSize = 16384;
  static constexpr std::size_t kFloatTokenCap = 63;

  explicit CTStreamIO(CTStream& source) : source_(source) {}
  CTStreamIO(const CTStreamIO&) = delete;
  CTStreamIO& operator=(const CTStreamIO&) = delete;

  std::uint8_t ReadByte() {
    if (pos_ == count_ && !Fill()) return 0;
    return buffer_[pos_++];
  }
  // True when every byte of the stream has been read.
  bool AtEnd() { return pos_ == count_ && !Fill(); }

  // Integer token: whitespace skipped, an optional "-", then every byte from "0" (48) upwards
  // taken as a digit (code - 48); the first byte below "0" ends the token and is consumed. An
  // empty token is 0. Digits beyond the 32-bit range wrap around modulo 2^32, as the stored
  // 32-bit integer does.
  std::int32_t ReadInteger();
  // Whether the last integer token had neither sign nor digits (as at the end of the data).
  bool LastTokenEmpty() const { return lastTokenEmpty_; }

  // Float token: whitespace skipped, up to 63 bytes collected until a byte of 32 or less (which is
  // consumed); -1.0 when the text is not a decimal number.
  double ReadFloat();

  // Schema name: an integer length, then exactly that many raw bytes. False when the length is
  // negative or the data ends first.
  bool ReadRawString(std::string& out);

  // String value: an integer length L, then L encoded characters in which "\" and two hex digits
  // stand for one byte. False when the length is negative or the data ends first.
  bool ReadEscapedString(std::string& out);

  // Header line: the bytes up to the first CR (consumed) or the end. Accepted when it is the word
  // followed by a three-digit version v with minVersion <= v <= currentVersion. The version read
  // is stored in *version when given.
  bool ReadHeader(std::string_view word, int minVersion, int currentVersion,
                  int* version = nullptr);

  // Consumes bytes up to and including the next count carriage returns; false when the data ends
  // first.
  bool SkipLines(std::int64_t count);

 private:
  bool Fill();
  std::uint8_t SkipWhitespace();

  CTStream& source_;
  std::array<std::uint8_t, kBufferSize> buffer_;
  std::size_t count_ = 0;
  std::size_t pos_ = 0;
  bool exhausted_ = false;
  bool lastTokenEmpty_ = false;
};

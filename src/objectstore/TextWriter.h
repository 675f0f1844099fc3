#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Stream.h"

// The token writer of the text object format, buffered in blocks of 16,384 bytes. Nothing here
// depends on the user's locale. Failures of the target throw CTStreamError (from Flush or any
// write that fills the buffer).
class CTTextWriter {
 public:
  static constexpr std::size_t kBufferSize = 16384;

  explicit CTTextWriter(CTStream& target) : target_(target) {}
  CTTextWriter(const CTTextWriter&) = delete;
  CTTextWriter& operator=(const CTTextWriter&) = delete;
  // Writes what is still buffered; errors at that point are lost, so call Flush() first.
  ~CTTextWriter();

  void WriteBytes(std::string_view bytes);
  void WriteChar(char c) {
    if (count_ == buffer_.size()) Flush();
    buffer_[count_++] = static_cast<std::uint8_t>(c);
  }
  void WriteInteger(std::int64_t value);
  // Floating value in the store's general format (15 significant digits).
  void WriteFloat(double value);
  // Schema name: its length, one space, the raw bytes.
  void WriteRawString(std::string_view name);
  // String value: every byte below 32 and every backslash escaped as "\", high nibble digit and
  // upper-case low nibble hex digit; then the escaped length, one space and the escaped text.
  void WriteEscapedString(std::string_view value);
  // Header line: word, version in decimal, CR LF.
  void WriteHeader(std::string_view word, int version);
  void WriteLineEnd() { WriteBytes("\r\n"); }

  void Flush();

 private:
  CTStream& target_;
  std::array<std::uint8_t, kBufferSize> buffer_;
  std::size_t count_ = 0;
};

// The escaped form of a string value, without its length prefix.
std::string EscapeStoreString(std::string_view value);

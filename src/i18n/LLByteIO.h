#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Stream.h"

// Buffered reading of the glossary file's values from a stream: bytes, little-endian 32-bit
// integers and strings with a one-byte or four-byte length before them. Every read returns false
// when the data ends before the value is complete. A string's bytes are collected block by block
// as they arrive, so a length that the data does not back is never allocated.
class CTLLByteIO {
 public:
  explicit CTLLByteIO(CTStream& source) : source_(source) {}

  bool ReadByte(std::uint8_t& value);
  bool ReadInt32(std::int32_t& value);
  // A string whose length is the byte before it.
  bool ReadShortString(std::string& value);
  // A string whose length is the four-byte integer before it (at most 2^31 - 1).
  bool ReadLongString(std::string& value);
  // Reads exactly count bytes, appending them to value.
  bool ReadBytes(std::size_t count, std::string& value);

 private:
  bool Fill();

  CTStream& source_;
  std::array<std::uint8_t, 4096> buffer_{};
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool ended_ = false;
};

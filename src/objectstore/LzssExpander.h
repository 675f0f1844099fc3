#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "objectstore/LzssFormat.h"
#include "platform/Stream.h"

// The LZSS decoder. Reads compressed bytes from the source stream in blocks of 16,384 bytes and
// decodes straight into the caller's buffer. When the compressed data runs out (or the source
// fails) the missing bits read as zero, which soon decode as the end marker: any input ends
// quietly with what could be decoded, and decoding always terminates.
class CTLZSSCharExpander {
 public:
  explicit CTLZSSCharExpander(CTStream& source) : source_(source) {}
  CTLZSSCharExpander(const CTLZSSCharExpander&) = delete;
  CTLZSSCharExpander& operator=(const CTLZSSCharExpander&) = delete;

  // Decodes up to count bytes into buffer; returns how many (fewer only at the end of the data).
  std::size_t Decode(std::uint8_t* buffer, std::size_t count);
  bool Ended() const { return ended_ && copyLeft_ == 0; }
  // True once the compressed input was exhausted before the end marker arrived.
  bool InputExhausted() const { return exhausted_; }

 private:
  bool FetchInput();
  void Refill();

  CTStream& source_;
  std::array<std::uint8_t, lzss::kWindowSize> window_{};
  int position_ = lzss::kFirstPosition;
  int copyFrom_ = 0;  // a match still being copied
  int copyLeft_ = 0;
  bool ended_ = false;
  bool exhausted_ = false;

  std::uint64_t bitBuffer_ = 0;  // the next bits, most significant first
  int bitCount_ = 0;
  std::array<std::uint8_t, lzss::kBlockSize> input_;
  std::size_t inputCount_ = 0;
  std::size_t inputPos_ = 0;
};

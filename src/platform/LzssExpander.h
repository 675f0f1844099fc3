#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/LzssFormat.h"
#include "platform/Stream.h"

// The LZSS decoder. Reads compressed bytes from the source stream in blocks of 16,384 bytes and
// decodes straight into the caller's buffer. When the compressed data runs out (or the source
// fails) the missing bits read as zero, which soon decode as the end marker: any input ends
// quietly with what could be decoded, and decoding always terminates. A failing source is
// remembered (SourceError), so that a reader can tell a read error from data cut short.
class CTLZSSCharExpander {
 public:
  explicit CTLZSSCharExpander(CTStream& source) : source_(source) {}
  CTLZSSCharExpander(const CTLZSSCharExpander&) = delete;
  CTLZSSCharExpander& operator=(const CTLZSSCharExpander&) = delete;

  // Decodes up to count bytes into buffer; returns how many (fewer only at the end of the data).
  std::size_t Decode(std::uint8_t* buffer, std::size_t count);
  bool Ended() const { return ended_ && copyLeft_ == 0; }
  // True when the data ended without its own end marker: the input ran out and the missing bits
  // (read as zero) were needed to finish decoding, so the stream was cut short.
  bool Truncated() const { return truncated_; }
  // The source's error when reading it failed (the data ended there); empty otherwise.
  const std::string& SourceError() const { return sourceError_; }

 private:
  bool FetchInput();
  void Refill();
  void Consume(int bits) {
    bitBuffer_ <<= bits;
    bitCount_ -= bits;
    if (padded_ && (realBits_ -= bits) < 0) truncated_ = true;
  }

  CTStream& source_;
  std::array<std::uint8_t, lzss::kWindowSize> window_{};
  int position_ = lzss::kFirstPosition;
  int copyFrom_ = 0;  // a match still being copied
  int copyLeft_ = 0;
  bool ended_ = false;
  bool exhausted_ = false;
  bool padded_ = false;  // the bit buffer is filled with zero bits past the input's end
  int realBits_ = 0;     // real bits left in the buffer once padding began
  bool truncated_ = false;
  std::string sourceError_;

  std::uint64_t bitBuffer_ = 0;  // the next bits, most significant first
  int bitCount_ = 0;
  std::array<std::uint8_t, lzss::kBlockSize> input_;
  std::size_t inputCount_ = 0;
  std::size_t inputPos_ = 0;
};

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/LzssFormat.h"
#include "platform/Stream.h"

// The LZSS encoder. Input is pushed in pieces of any size; the compressed bits go to the target
// stream in blocks of 16,384 bytes. The encoder keeps a binary search tree of the window positions
// to find the longest match for the 17-byte look-ahead: of several nodes with the same match
// length the one visited last wins, and a node matching all 17 bytes is replaced by the new
// position. Output is fully determined by the input bytes.
class CTLZSSCharCompressor {
 public:
  explicit CTLZSSCharCompressor(CTStream& target);
  CTLZSSCharCompressor(const CTLZSSCharCompressor&) = delete;
  CTLZSSCharCompressor& operator=(const CTLZSSCharCompressor&) = delete;

  // Encodes as much as the bytes allow; keeps the last 17 bytes as look-ahead until Finish.
  // Write errors of the target throw CTStreamError.
  void Push(const std::uint8_t* data, std::size_t count);
  // Encodes the rest, writes the end marker and the last partial byte, and flushes the target.
  void Finish();
  bool Finished() const { return finished_; }

 private:
  static constexpr int kNil = lzss::kWindowSize + 1;  // "no node"
  static constexpr int kRoot = lzss::kWindowSize;  // the root entry; its larger child is the tree

  void Run(const std::uint8_t*& data, const std::uint8_t* end, bool final);
  int InsertNode(int r);
  void DeleteNode(int p);
  void StoreByte(int position, std::uint8_t byte);
  void PutBits(std::uint32_t value, int bits);
  void FlushOutput();

  CTStream& target_;
  // The window, with its first kMaxMatch - 1 bytes repeated after its end so that the 17 bytes at
  // any position can be compared without wrapping.
  std::array<std::uint8_t, lzss::kWindowSize + lzss::kMaxMatch> window_{};
  std::array<std::int16_t, lzss::kWindowSize + 2> parent_;
  std::array<std::int16_t, lzss::kWindowSize + 2> smaller_;
  std::array<std::int16_t, lzss::kWindowSize + 2> larger_;

  int filled_ = 0;        // bytes read into the first look-ahead
  bool started_ = false;  // the first look-ahead is complete
  bool finished_ = false;
  int position_ = lzss::kFirstPosition;
  int lookAhead_ = 0;
  int matchLength_ = 0;
  int matchPosition_ = 0;
  int toReplace_ = 0;  // window steps still due for the last code emitted

  std::uint64_t bitBuffer_ = 0;  // pending bits, the newest in the low end
  int bitCount_ = 0;
  std::array<std::uint8_t, lzss::kBlockSize> output_;
  std::size_t outputCount_ = 0;
};

#include "platform/LzssExpander.h"

using namespace lzss;

bool CTLZSSCharExpander::FetchInput() {
  if (exhausted_) return false;
  std::size_t n = 0;
  try {
    n = source_.Read(input_.data(), input_.size());
  } catch (const CTStreamError& e) {
    n = 0;  // a failing source ends the compressed data like its end does
    sourceError_ = e.what();
  }
  inputPos_ = 0;
  inputCount_ = n;
  if (n == 0) exhausted_ = true;
  return n > 0;
}

// Tops the bit buffer up to at least 57 bits; past the end of the input the bits are zero.
inline void CTLZSSCharExpander::Refill() {
  while (bitCount_ <= 56) {
    if (inputPos_ == inputCount_ && !FetchInput()) {
      if (!padded_) {
        padded_ = true;
        realBits_ = bitCount_;
      }
      bitCount_ = 64;  // the buffer's low end already holds zeros
      return;
    }
    bitBuffer_ |= static_cast<std::uint64_t>(input_[inputPos_++]) << (56 - bitCount_);
    bitCount_ += 8;
  }
}

std::size_t CTLZSSCharExpander::Decode(std::uint8_t* buffer, std::size_t count) {
  std::size_t produced = 0;
  int p = position_;
  for (;;) {
    if (copyLeft_ > 0) {
      int q = copyFrom_;
      std::size_t n = static_cast<std::size_t>(copyLeft_);
      if (n > count - produced) n = count - produced;
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint8_t byte = window_[q];
        buffer[produced++] = byte;
        window_[p] = byte;
        q = (q + 1) & kWindowMask;
        p = (p + 1) & kWindowMask;
      }
      copyFrom_ = q;
      copyLeft_ -= static_cast<int>(n);
    }
    if (produced == count || ended_) break;
    if (bitCount_ < 1 + kWindowBits + kLengthBits) Refill();
    if (bitBuffer_ >> 63) {
      const auto byte = static_cast<std::uint8_t>(bitBuffer_ >> 55);
      Consume(9);
      buffer[produced++] = byte;
      window_[p] = byte;
      p = (p + 1) & kWindowMask;
      continue;
    }
    const int q = static_cast<int>(bitBuffer_ >> (63 - kWindowBits)) & kWindowMask;
    if (q == 0) {
      if (padded_ && realBits_ < 1 + kWindowBits) truncated_ = true;
      ended_ = true;
      break;
    }
    copyFrom_ = q;
    copyLeft_ = static_cast<int>(bitBuffer_ >> (63 - kWindowBits - kLengthBits) & 0xF) + kMinMatch;
    Consume(1 + kWindowBits + kLengthBits);
  }
  position_ = p;
  return produced;
}

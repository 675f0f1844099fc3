#include "platform/LzssCompressor.h"

#include <bit>
#include <cstring>

using namespace lzss;

namespace {

// The 17-byte strings of the match search are compared as two big-endian 64-bit words and a last
// byte: with the bytes in big-endian order, comparing the words as numbers compares the strings
// lexicographically, and the count of leading zero bits of their difference gives the length of
// the common prefix.
struct CTMatchKey {
  explicit CTMatchKey(const std::uint8_t* s) : w0(Word(s)), w1(Word(s + 8)), last(s[16]) {}
  static std::uint64_t Word(const std::uint8_t* s) {
    std::uint64_t w;
    std::memcpy(&w, s, 8);
    if constexpr (std::endian::native == std::endian::little) w = __builtin_bswap64(w);
    return w;
  }
  // Length of the common prefix with the string at b; notSmaller tells whether this key is
  // greater than or equal to b at the first differing byte.
  int Compare(const std::uint8_t* b, bool& notSmaller) const {
    const std::uint64_t y0 = Word(b);
    if (w0 != y0) {
      notSmaller = w0 > y0;
      return __builtin_clzll(w0 ^ y0) >> 3;
    }
    const std::uint64_t y1 = Word(b + 8);
    if (w1 != y1) {
      notSmaller = w1 > y1;
      return 8 + (__builtin_clzll(w1 ^ y1) >> 3);
    }
    notSmaller = last >= b[16];
    return last == b[16] ? 17 : 16;
  }
  std::uint64_t w0, w1;
  std::uint8_t last;
};

}  // namespace

CTLZSSCharCompressor::CTLZSSCharCompressor(CTStream& target) : target_(target) {
  parent_.fill(kNil);
  smaller_.fill(kNil);
  larger_.fill(kNil);
}

void CTLZSSCharCompressor::StoreByte(int position, std::uint8_t byte) {
  window_[position] = byte;
  if (position < kMaxMatch - 1) window_[kWindowSize + position] = byte;
}

void CTLZSSCharCompressor::FlushOutput() {
  if (outputCount_ == 0) return;
  const std::size_t count = outputCount_;
  outputCount_ = 0;
  try {
    target_.WriteAll(output_.data(), count);
  } catch (...) {
    finished_ = true;  // the compressed data is incomplete for good; accept nothing further
    throw;
  }
}

inline void CTLZSSCharCompressor::PutBits(std::uint32_t value, int bits) {
  bitBuffer_ = bitBuffer_ << bits | value;
  bitCount_ += bits;
  while (bitCount_ >= 8) {
    bitCount_ -= 8;
    output_[outputCount_++] = static_cast<std::uint8_t>(bitBuffer_ >> bitCount_);
    if (outputCount_ == output_.size()) FlushOutput();
  }
}

// Inserts position r into the tree and returns the longest match length found for it (the match
// position is left in matchPosition_). Position 0 is never a match source.
int CTLZSSCharCompressor::InsertNode(int r) {
  if (r == 0) return 0;
  const CTMatchKey key(&window_[r]);
  smaller_[r] = larger_[r] = kNil;
  int best = 0;
  int p = larger_[kRoot];
  if (p == kNil) {
    larger_[kRoot] = static_cast<std::int16_t>(r);
    parent_[r] = kRoot;
    return 0;
  }
  int matchPosition = matchPosition_;
  for (;;) {
    bool notSmaller;
    const int i = key.Compare(&window_[p], notSmaller);
    // Whether this node becomes the match position is data-dependent and hard to predict, so it
    // is selected without a branch.
    const bool better = i >= best;
    matchPosition = better ? p : matchPosition;
    best = better ? i : best;
    if (i == kMaxMatch) break;
    std::int16_t& child = notSmaller ? larger_[p] : smaller_[p];
    if (child == kNil) {
      child = static_cast<std::int16_t>(r);
      parent_[r] = static_cast<std::int16_t>(p);
      matchPosition_ = matchPosition;
      return best;
    }
    p = child;
  }
  matchPosition_ = matchPosition;
  // A full-length match: r takes the place of p in the tree.
  parent_[r] = parent_[p];
  smaller_[r] = smaller_[p];
  larger_[r] = larger_[p];
  parent_[smaller_[p]] = static_cast<std::int16_t>(r);
  parent_[larger_[p]] = static_cast<std::int16_t>(r);
  if (larger_[parent_[p]] == p) {
    larger_[parent_[p]] = static_cast<std::int16_t>(r);
  } else {
    smaller_[parent_[p]] = static_cast<std::int16_t>(r);
  }
  parent_[p] = kNil;
  return best;
}

// Removes position p from the tree; a node with two children is replaced by the largest node of
// its smaller subtree. Positions not in the tree are ignored.
void CTLZSSCharCompressor::DeleteNode(int p) {
  if (parent_[p] == kNil) return;
  int q;
  if (larger_[p] == kNil) {
    q = smaller_[p];
  } else if (smaller_[p] == kNil) {
    q = larger_[p];
  } else {
    q = smaller_[p];
    if (larger_[q] != kNil) {
      do {
        q = larger_[q];
      } while (larger_[q] != kNil);
      larger_[parent_[q]] = smaller_[q];
      parent_[smaller_[q]] = parent_[q];
      smaller_[q] = smaller_[p];
      parent_[smaller_[p]] = static_cast<std::int16_t>(q);
    }
    larger_[q] = larger_[p];
    parent_[larger_[p]] = static_cast<std::int16_t>(q);
  }
  parent_[q] = parent_[p];
  if (larger_[parent_[p]] == p) {
    larger_[parent_[p]] = static_cast<std::int16_t>(q);
  } else {
    smaller_[parent_[p]] = static_cast<std::int16_t>(q);
  }
  parent_[p] = kNil;
}

void CTLZSSCharCompressor::Push(const std::uint8_t* data, std::size_t count) {
  if (finished_ || count == 0) return;
  Run(data, data + count, false);
}

void CTLZSSCharCompressor::Finish() {
  if (finished_) return;
  finished_ = true;  // even when the target fails below, a second Finish must not write again
  const std::uint8_t* none = nullptr;
  Run(none, none, true);
  PutBits(0, 1 + kWindowBits);  // end marker: a match flag and position 0
  if (bitCount_ > 0) PutBits(0, 8 - bitCount_);
  FlushOutput();
}

// Advances the encoder while input lasts. Without final, it stops (and resumes on the next call)
// where it would need a byte that has not arrived yet; with final, missing bytes shorten the
// look-ahead until it is empty.
void CTLZSSCharCompressor::Run(const std::uint8_t*& data, const std::uint8_t* end, bool final) {
  if (!started_) {
    while (filled_ < kMaxMatch) {
      if (data == end) {
        if (!final) return;
        break;
      }
      StoreByte(kFirstPosition + filled_++, *data++);
    }
    lookAhead_ = filled_;
    larger_[kRoot] = kFirstPosition;
    parent_[kFirstPosition] = kRoot;
    smaller_[kFirstPosition] = larger_[kFirstPosition] = kNil;
    started_ = true;
  }
  int p = position_;
  int m = matchLength_;
  for (;;) {
    if (toReplace_ == 0) {
      if (lookAhead_ == 0) break;
      if (m > lookAhead_) m = lookAhead_;
      if (m <= 1) {
        PutBits(0x100u | window_[p], 9);
        toReplace_ = 1;
      } else {
        PutBits(static_cast<std::uint32_t>(matchPosition_) << kLengthBits |
                    static_cast<std::uint32_t>(m - kMinMatch),
                1 + kWindowBits + kLengthBits);
        toReplace_ = m;
      }
    }
    while (toReplace_ > 0) {
      const int s = (p + kMaxMatch) & kWindowMask;
      if (data != end) {
        DeleteNode(s);
        StoreByte(s, *data++);
      } else if (final) {
        // No byte is left for this window position: it keeps the byte it held (as does its copy
        // after the window's end), the insertions below still compare all 17 bytes, stale ones
        // included, and only the next code's length is cut to the look-ahead that is left. The
        // last codes of every file depend on exactly this.
        DeleteNode(s);
        --lookAhead_;
      } else {
        position_ = p;
        matchLength_ = m;
        return;
      }
      p = (p + 1) & kWindowMask;
      if (lookAhead_ > 0) m = InsertNode(p);
      --toReplace_;
    }
  }
  position_ = p;
  matchLength_ = m;
}

#pragma once

#include <cstddef>

// Fixed parameters of the object store's LZSS byte format. Files written by any version of the
// program depend on every one of them.
namespace lzss {

inline constexpr int kWindowBits = 12;
inline constexpr int kWindowSize = 1 << kWindowBits;  // ring of 4096 bytes, starting all zero
inline constexpr int kWindowMask = kWindowSize - 1;
inline constexpr int kLengthBits = 4;             // a match stores length - 2
inline constexpr int kMinMatch = 2;               // a 1-byte match is sent as a literal
inline constexpr int kMaxMatch = 17;              // also the encoder's look-ahead
inline constexpr int kFirstPosition = 1;          // position 0 is the end marker
inline constexpr std::size_t kBlockSize = 16384;  // I/O block size in both directions

}  // namespace lzss

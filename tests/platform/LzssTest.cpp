#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LzssReference.h"
#include "platform/LzssStreams.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

namespace {

std::string Compress(const std::string& input, std::size_t chunk = 0) {
  CTMemoryStream target;
  {
    CTLZSSCompressorStream compressor(target);
    if (chunk == 0) chunk = std::max<std::size_t>(input.size(), 1);
    for (std::size_t i = 0; i < input.size(); i += chunk) {
      const std::size_t n = std::min(chunk, input.size() - i);
      EXPECT_EQ(compressor.Write(input.data() + i, n), n);
    }
    compressor.Finish();
  }
  return target.Text();
}

std::string Expand(const std::string& compressed, std::size_t chunk = 65536,
                   bool* truncated = nullptr) {
  CTMemoryStream source(compressed);
  CTLZSSExpanderStream expander(source);
  std::string out;
  std::vector<char> buffer(chunk);
  for (;;) {
    const std::size_t n = expander.Read(buffer.data(), buffer.size());
    if (n == 0) break;
    out.append(buffer.data(), n);
  }
  if (truncated) *truncated = expander.Truncated();
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

// Bits of a compressed stream, most significant first, for checking its tokens.
struct BitReader {
  const std::string& bytes;
  std::size_t bit = 0;
  int Get(int count) {
    int value = 0;
    for (int i = 0; i < count; ++i, ++bit) {
      const std::size_t byte = bit / 8;
      const int b =
          byte < bytes.size() ? (static_cast<unsigned char>(bytes[byte]) >> (7 - bit % 8)) & 1 : 0;
      value = value << 1 | b;
    }
    return value;
  }
};

}  // namespace

TEST(Lzss, KnownStreams) {
  EXPECT_EQ(Hex(Compress("")), "0000");
  EXPECT_EQ(Hex(Compress("A")), "A08000");
}

TEST(Lzss, RunOfTwentyEqualBytes) {
  const std::string run(20, 'x');
  const std::string packed = Compress(run);
  BitReader bits{packed};
  ASSERT_EQ(bits.Get(1), 1);  // literal
  EXPECT_EQ(bits.Get(8), 'x');
  ASSERT_EQ(bits.Get(1), 0);  // match of 17 at position 1
  EXPECT_EQ(bits.Get(12), 1);
  EXPECT_EQ(bits.Get(4), 15);
  ASSERT_EQ(bits.Get(1), 0);  // the last two bytes: a short match
  EXPECT_NE(bits.Get(12), 0);
  EXPECT_EQ(bits.Get(4), 0);
  EXPECT_EQ(bits.Get(1), 0);  // end marker
  EXPECT_EQ(bits.Get(12), 0);
  EXPECT_EQ(Expand(packed), run);
}

// The codec must give exactly the bytes of the plain reference encoder, whatever the input and
// however it is handed over.
TEST(Lzss, MatchesReferenceEncoderBitForBit) {
  struct Case {
    const char* name;
    std::string input;
  };
  std::vector<Case> cases = {
      {"zeros", std::string(5000, '\0')},
      {"short run", std::string(3, 'z')},
      {"text", testsupport::StoreLikeText(70000)},
      {"random", testsupport::RandomBytes(20000, 7)},
      {"runs", std::string(9000, 'a') + std::string(100, 'b') + std::string(9000, 'a')},
      {"exactly one block", testsupport::StoreLikeText(16384)},
      {"periodic",
       [] {
         std::string s;
         for (int i = 0; i < 30000; ++i) s.push_back(static_cast<char>("abcabdabc"[i % 9]));
         return s;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string expected = ReferenceLzssCompress(c.input);
    EXPECT_EQ(Compress(c.input), expected);
    EXPECT_EQ(Compress(c.input, 1), expected);
    EXPECT_EQ(Compress(c.input, 4093), expected);
    EXPECT_EQ(Expand(expected), c.input);
    EXPECT_EQ(Expand(expected, 7), c.input);
  }
}

// The end of the input is where an encoder most easily goes its own way (the last window bytes
// are stale, the match is cut to what is left). Many inputs longer than the window, cut at random
// from a store-shaped text and given varied tails, must come out byte for byte as the reference
// encodes them, and expand back.
TEST(Lzss, MatchesReferenceEncoderAtTheEndOfManyInputs) {
  const std::string text = testsupport::StoreLikeText(120000);
  const std::string noise = testsupport::RandomBytes(4096, 99);
  std::uint64_t x = 88172645463325252ull;
  const auto next = [&x](std::uint64_t bound) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return static_cast<std::size_t>(x % bound);
  };
  for (int i = 0; i < 240; ++i) {
    const std::size_t length = 4097 + next(8192);
    std::string input = text.substr(next(text.size() - length), length);
    switch (i % 4) {
      case 0:  // the cut alone
        break;
      case 1:  // a run of one byte, up to longer than a match
        input.append(1 + next(40), input[next(input.size())]);
        break;
      case 2:  // a repeat of an earlier piece, of every match length and a bit beyond
        input += input.substr(next(input.size() - 20), 1 + next(20));
        break;
      case 3:  // bytes the window has not seen
        input += noise.substr(0, 1 + next(30));
        break;
    }
    SCOPED_TRACE("input " + std::to_string(i) + ", " + std::to_string(input.size()) + " bytes");
    const std::string packed = Compress(input);
    ASSERT_EQ(Hex(packed), Hex(ReferenceLzssCompress(input)));
    ASSERT_EQ(Expand(packed), input);
  }
}

TEST(Lzss, RoundTripsAtBlockBoundaries) {
  for (std::size_t size :
       {1u, 16u, 17u, 18u, 4095u, 4096u, 4097u, 16383u, 16384u, 16385u, 32768u}) {
    SCOPED_TRACE(size);
    const std::string text = testsupport::StoreLikeText(size);
    EXPECT_EQ(Expand(Compress(text)), text);
    const std::string random = testsupport::RandomBytes(size, size);
    EXPECT_EQ(Expand(Compress(random)), random);
  }
}

// A stream cut after any byte expands to a prefix of the original, plus at most two bytes made
// from the zero bits standing in for the missing input, and then ends.
TEST(Lzss, TruncatedStreamEndsQuietly) {
  const std::string text = testsupport::StoreLikeText(3000);
  const std::string packed = Compress(text);
  bool truncated = true;
  EXPECT_EQ(Expand(packed, 65536, &truncated), text);
  EXPECT_FALSE(truncated);
  for (std::size_t cut = 0; cut < packed.size(); ++cut) {
    const std::string out = Expand(packed.substr(0, cut), 65536, &truncated);
    ASSERT_TRUE(truncated) << "cut after " << cut;
    ASSERT_LE(out.size(), text.size() + 2) << cut;
    const std::size_t common = std::min(out.size(), text.size());
    std::size_t same = 0;
    while (same < common && out[same] == text[same]) ++same;
    ASSERT_GE(same + 2, out.size()) << "cut after " << cut;
  }
}

TEST(Lzss, GarbageInputTerminates) {
  for (std::uint64_t seed = 1; seed <= 50; ++seed) {
    const std::string garbage = testsupport::RandomBytes(1000 + seed * 37, seed);
    const std::string out = Expand(garbage, 100);
    // Every 17 input bits yield at most 17 output bytes.
    EXPECT_LE(out.size(), garbage.size() * 8);
  }
}

TEST(Lzss, ExpanderCanBeDroppedEarlyAndStaysAtEnd) {
  const std::string text = testsupport::StoreLikeText(100000);
  const std::string packed = Compress(text);
  {
    CTMemoryStream source(packed);
    CTLZSSExpanderStream expander(source);
    char first[10];
    ASSERT_EQ(expander.Read(first, sizeof first), sizeof first);
    EXPECT_EQ(std::string(first, 10), text.substr(0, 10));
  }
  CTMemoryStream source(packed);
  CTLZSSExpanderStream expander(source);
  std::string all(text.size() + 100, '\0');
  EXPECT_EQ(expander.Read(all.data(), all.size()), text.size());
  EXPECT_EQ(expander.Read(all.data(), all.size()), 0u);
  EXPECT_TRUE(expander.Ended());
}

TEST(Lzss, StreamsWorkOneWayOnly) {
  CTMemoryStream memory;
  char byte = 0;
  CTLZSSCompressorStream compressor(memory);
  EXPECT_EQ(compressor.Read(&byte, 1), 0u);
  EXPECT_EQ(compressor.Seek(0, CTStream::Origin::Begin), -1);
  CTLZSSExpanderStream expander(memory);
  EXPECT_EQ(expander.Write(&byte, 1), 0u);
  EXPECT_EQ(expander.Seek(0, CTStream::Origin::Begin), -1);
}

namespace {

class FailingStream : public CTStream {
 public:
  std::size_t Read(void*, std::size_t) override { throw CTStreamError("read failed"); }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, Origin) override { return -1; }
};

}  // namespace

TEST(Lzss, FailingStreamsAreReportedOrEndTheData) {
  FailingStream failing;
  CTLZSSCompressorStream compressor(failing);
  compressor.Write("abc", 3);
  EXPECT_THROW(compressor.Finish(), CTStreamError);
  EXPECT_EQ(compressor.Write("abc", 3), 0u);  // nothing is accepted after a failure

  CTLZSSExpanderStream expander(failing);
  char buffer[8];
  EXPECT_EQ(expander.Read(buffer, sizeof buffer), 0u);
}

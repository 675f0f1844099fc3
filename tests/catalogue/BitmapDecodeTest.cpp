#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Bitmap.h"

namespace {

// A picture to encode: rows from the top, each value a palette index (1, 4 and 8 bits) or a
// 0xRRGGBB colour (16, 24 and 32 bits).
struct LTPicture {
  int bitsPerPixel;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  std::vector<std::vector<std::uint32_t>> rows;
  bool topDown = false;
};

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

void SetU32(std::string& bytes, std::size_t at, std::uint32_t v) {
  std::string word;
  PutU32(word, v);
  bytes.replace(at, 4, word);
}

// The pixel rows as a bitmap file stores them: padded to 32 bits, bottom row first unless
// top-down.
std::string PixelData(const LTPicture& p) {
  const int width = static_cast<int>(p.rows.front().size());
  const std::size_t stride = (static_cast<std::size_t>(width) * p.bitsPerPixel + 31) / 32 * 4;
  std::string data;
  for (std::size_t i = 0; i < p.rows.size(); ++i) {
    const auto& row = p.rows[p.topDown ? i : p.rows.size() - 1 - i];
    std::string bytes(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = row[static_cast<std::size_t>(x)];
      const auto put = [&](std::size_t at, std::uint32_t byte) {
        bytes[at] = static_cast<char>(bytes[at] | static_cast<char>(byte));
      };
      switch (p.bitsPerPixel) {
        case 1:
        case 4:
        case 8: {
          const int bit = x * p.bitsPerPixel;
          put(static_cast<std::size_t>(bit / 8), v << (8 - p.bitsPerPixel - bit % 8));
          break;
        }
        case 16: {
          const std::uint32_t packed = (v >> 19 & 31) << 10 | (v >> 11 & 31) << 5 | (v >> 3 & 31);
          put(2 * x, packed & 0xFF);
          put(2 * x + 1, packed >> 8);
          break;
        }
        default: {
          const std::size_t at = static_cast<std::size_t>(x) * (p.bitsPerPixel / 8);
          put(at, v & 0xFF);
          put(at + 1, v >> 8 & 0xFF);
          put(at + 2, v >> 16 & 0xFF);
          if (p.bitsPerPixel == 32) put(at + 3, 0x00);  // the unused byte, not an alpha
        }
      }
    }
    data += bytes;
  }
  return data;
}

// A bitmap file with the 40-byte information header.
std::string Encode(const LTPicture& p) {
  const std::string data = PixelData(p);
  const auto width = static_cast<std::uint32_t>(p.rows.front().size());
  const auto height = static_cast<std::int32_t>(p.rows.size());
  const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * p.palette.size());
  std::string out = "BM";
  PutU32(out, offset + static_cast<std::uint32_t>(data.size()));
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);
  PutU32(out, width);
  PutU32(out, static_cast<std::uint32_t>(p.topDown ? -height : height));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(p.bitsPerPixel));
  PutU32(out, 0);  // uncompressed
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  PutU32(out, 2835);
  PutU32(out, 2835);
  PutU32(out, static_cast<std::uint32_t>(p.palette.size()));
  PutU32(out, 0);
  for (std::uint32_t colour : p.palette) PutU32(out, colour);
  return out + data;
}

// Decodes from a heap copy of exactly the given size, so that a read past the end is caught by
// the address sanitizer rather than landing in a string's spare capacity.
std::unique_ptr<CTBitmap> Decode(const std::string& bytes) {
  const std::vector<char> exact(bytes.begin(), bytes.end());
  return DecodeBitmap(std::string_view(exact.data(), exact.size()));
}

std::vector<std::vector<std::uint32_t>> Pixels(const CTBitmap& b) {
  std::vector<std::vector<std::uint32_t>> rows;
  for (int y = 0; y < b.height; ++y) {
    rows.emplace_back();
    for (int x = 0; x < b.width; ++x) rows.back().push_back(b.Pixel(x, y));
  }
  return rows;
}

// The colours a picture should decode to, opaque.
std::vector<std::vector<std::uint32_t>> Expected(const LTPicture& p) {
  auto rows = p.rows;
  for (auto& row : rows) {
    for (auto& v : row) v = 0xFF000000u | (p.bitsPerPixel <= 8 ? p.palette[v] : v);
  }
  return rows;
}

const std::vector<std::uint32_t> kPalette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Pictures of every supported depth, widths chosen so that rows need padding.
std::vector<LTPicture> Samples() {
  std::vector<LTPicture> samples = {
      {1, {0x102030, 0xF0E0D0}, {{1, 0, 1, 1, 0, 0, 1, 0, 1}, {0, 1, 0, 0, 1, 1, 0, 1, 0}}},
      {4, kPalette16, {{0, 15, 3, 9, 12}, {7, 1, 14, 2, 8}, {5, 5, 10, 11, 6}}},
      {8, {0x000001, 0x0000FF, 0x00FF00, 0xFF0000}, {{3, 2, 1}, {0, 1, 2}}},
      {16, {}, {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}, {0x000000, 0x842108}}},
      {24, {}, {{0x112233, 0x445566, 0x778899}, {0xAABBCC, 0xDDEEFF, 0x010203}}},
      {32, {}, {{0x123456, 0xFEDCBA}, {0x00FF00, 0xFF00FF}}},
  };
  const std::size_t count = samples.size();
  for (std::size_t i = 0; i < count; ++i) {
    LTPicture topDown = samples[i];
    topDown.topDown = true;
    samples.push_back(topDown);
  }
  return samples;
}

std::string Describe(const LTPicture& p) {
  return std::to_string(p.bitsPerPixel) + " bits, " + std::to_string(p.rows.front().size()) +
         " wide, " + (p.topDown ? "top-down" : "bottom-up");
}

}  // namespace

TEST(BitmapDecode, EveryDepthAndRowOrderGivesTheEncodedPixels) {
  for (const LTPicture& p : Samples()) {
    SCOPED_TRACE(Describe(p));
    const auto bitmap = Decode(Encode(p));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width, static_cast<int>(p.rows.front().size()));
    EXPECT_EQ(bitmap->height, static_cast<int>(p.rows.size()));
    EXPECT_EQ(Pixels(*bitmap), Expected(p));
  }
}

TEST(BitmapDecode, PaletteOfTheFullSizeWhenTheCountIsZero) {
  LTPicture p{4, kPalette16, {{15, 0, 9}}};
  std::string bytes = Encode(p);
  SetU32(bytes, 46, 0);  // colours used: 0 means all 16
  const auto bitmap = Decode(bytes);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(Pixels(*bitmap), Expected(p));
}

// The oldest header: 16-bit sizes and a palette of three-byte entries.
TEST(BitmapDecode, CoreHeaderWithThreeBytePalette) {
  std::string bytes = "BM";
  PutU32(bytes, 0);
  PutU32(bytes, 0);
  PutU32(bytes, 14 + 12 + 2 * 3);
  PutU32(bytes, 12);
  PutU16(bytes, 3);
  PutU16(bytes, 2);
  PutU16(bytes, 1);
  PutU16(bytes, 1);
  bytes += std::string("\x01\x02\x03\xFD\xFE\xFF", 6);  // blue, green, red of each colour
  bytes += std::string("\x40\0\0\0\xA0\0\0\0", 8);      // bottom row 0 1 0, top row 1 0 1
  const auto bitmap = Decode(bytes);
  ASSERT_NE(bitmap, nullptr);
  const std::uint32_t a = 0xFF030201, b = 0xFFFFFEFD;
  EXPECT_EQ(Pixels(*bitmap), (std::vector<std::vector<std::uint32_t>>{{b, a, b}, {a, b, a}}));
}

// Some writers leave out the padding of the last row stored.
TEST(BitmapDecode, LastRowWithoutPadding) {
  const LTPicture p{24, {}, {{0x010203}, {0x040506}}};
  std::string bytes = Encode(p);
  bytes.resize(bytes.size() - 1);
  const auto bitmap = Decode(bytes);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(Pixels(*bitmap), Expected(p));
}

TEST(BitmapDecode, DamagedOrUnsupportedFilesGiveNoPicture) {
  // 8 bits, 3 × 2 pixels, two colours: header 54 bytes, palette 8, rows of 4 bytes.
  const LTPicture base{8, {0x000000, 0xFFFFFF}, {{0, 1, 0}, {1, 0, 1}}};
  const std::string valid = Encode(base);
  ASSERT_NE(Decode(valid), nullptr);
  const auto with = [&](std::size_t at, std::uint32_t v) {
    std::string bytes = valid;
    SetU32(bytes, at, v);
    return bytes;
  };
  const auto with16 = [&](std::size_t at, std::uint32_t v) {
    std::string bytes = valid;
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"magic only", "BM"},
      {"file header only", valid.substr(0, 14)},
      {"information header cut short", valid.substr(0, 30)},
      {"palette cut short", valid.substr(0, 58)},
      {"last row missing", valid.substr(0, valid.size() - 4)},
      {"wrong magic", "MB" + valid.substr(2)},
      {"RLE8", with(30, 1)},
      {"RLE4", with(30, 2)},
      {"bit fields", with(30, 3)},
      {"JPEG", with(30, 4)},
      {"PNG", with(30, 5)},
      {"zero width", with(18, 0)},
      {"negative width", with(18, 0xFFFFFFFF)},
      {"huge width", with(18, 0x7FFFFFFF)},
      {"zero height", with(22, 0)},
      {"huge height", with(22, 0x7FFFFFFF)},
      {"huge top-down height", with(22, 0x80000001)},
      {"most negative height", with(22, 0x80000000)},
      {"huge width and height",
       [&] {
         std::string bytes = with(18, 0x10000);
         SetU32(bytes, 22, 0x10000);
         return bytes;
       }()},
      {"two planes", with16(26, 2)},
      {"2 bits per pixel", with16(28, 2)},
      {"0 bits per pixel", with16(28, 0)},
      {"64 bits per pixel", with16(28, 64)},
      {"header size 0", with(14, 0)},
      {"header size 41", with(14, 41)},
      {"header size past the end", with(14, 0xFFFFFFF0)},
      {"data offset past the end", with(10, 0x7FFFFFFF)},
      {"data offset inside the header", with(10, 20)},
      {"more colours than 8 bits index", with(46, 257)},
      {"palette reaching into the pixels", with(46, 256)},
      {"palette index out of range", with(46, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Decode(c.bytes), nullptr);
  }
}

// Both dimensions large at once: their product must not wrap the size checks.
TEST(BitmapDecode, DimensionsWhoseProductOverflowsGiveNoPicture) {
  std::string bytes = Encode({32, {}, {{0x010203}}});
  SetU32(bytes, 18, 0x7FFFFFFF);
  SetU32(bytes, 22, 0x7FFFFFFF);
  EXPECT_EQ(Decode(bytes), nullptr);
}

// Every prefix of a valid file decodes or is refused without a fault; only the bytes of the
// last row's padding may be missing.
TEST(BitmapDecode, EveryPrefixIsDecodedSafely) {
  for (const LTPicture& p : Samples()) {
    SCOPED_TRACE(Describe(p));
    const std::string bytes = Encode(p);
    const std::size_t width = p.rows.front().size();
    const std::size_t padding =
        (width * p.bitsPerPixel + 31) / 32 * 4 - (width * p.bitsPerPixel + 7) / 8;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      const bool decodes = Decode(bytes.substr(0, n)) != nullptr;
      EXPECT_EQ(decodes, n + padding >= bytes.size()) << n;
    }
  }
}

// Bytes changed at random in the headers and palette: refused or decoded, never a fault.
TEST(BitmapDecode, ScrambledHeadersNeverFault) {
  std::uint32_t state = 12345;
  const auto next = [&] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  for (const LTPicture& p : Samples()) {
    const std::string valid = Encode(p);
    for (int round = 0; round < 200; ++round) {
      std::string bytes = valid;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int i = 0; i < changes; ++i) {
        bytes[next() % std::min<std::size_t>(bytes.size(), 64 + 4 * p.palette.size())] =
            static_cast<char>(next());
      }
      if (const auto bitmap = Decode(bytes)) {
        EXPECT_EQ(bitmap->pixels.size(), static_cast<std::size_t>(bitmap->width) *
                                             static_cast<std::size_t>(bitmap->height));
      }
    }
  }
}

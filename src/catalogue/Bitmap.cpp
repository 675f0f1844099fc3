#include "catalogue/Bitmap.h"

#include <cstddef>
#include <limits>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the oldest header: 16-bit sizes, 3-byte palette
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Device pictures are small; a picture beyond this many pixels is refused rather than allocated.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 24;

bool KnownHeaderSize(std::uint32_t size) {
  // Core, info, V2 and V3 (info plus colour masks), V4 and V5.
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
         size == 108 || size == 124;
}

class CTLittleEndian {
 public:
  explicit CTLittleEndian(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t Byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }
  std::uint32_t U16(std::size_t at) const { return Byte(at) | Byte(at + 1) << 8; }
  std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }

 private:
  std::string_view bytes_;
};

constexpr std::uint32_t Opaque(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}

// One 5-bit colour channel widened to 8 bits, so that 31 becomes 255.
constexpr std::uint32_t Widen5(std::uint32_t v) {
  return v << 3 | v >> 2;
}

// What the headers say about the picture, checked against the bytes.
struct LTLayout {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  bool topDown = false;
  unsigned bitsPerPixel = 0;
  std::vector<std::uint32_t> palette;
  std::size_t dataOffset = 0;
  std::uint64_t stride = 0;
};

bool ReadLayout(std::string_view bytes, LTLayout& layout) {
  const CTLittleEndian in(bytes);
  const std::size_t size = bytes.size();
  if (size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const std::uint32_t dataOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(kFileHeaderSize);
  if (!KnownHeaderSize(headerSize)) return false;
  const std::size_t headerEnd = kFileHeaderSize + headerSize;
  if (headerEnd > size || dataOffset < headerEnd || dataOffset > size) return false;

  const std::size_t h = kFileHeaderSize;
  std::uint32_t planes = 0;
  std::uint32_t colourCount = 0;
  std::size_t paletteEntrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    layout.width = in.U16(h + 4);
    layout.height = in.U16(h + 6);
    planes = in.U16(h + 8);
    layout.bitsPerPixel = in.U16(h + 10);
    paletteEntrySize = 3;
  } else {
    const auto width = static_cast<std::int32_t>(in.U32(h + 4));
    const auto height = static_cast<std::int32_t>(in.U32(h + 8));
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) {
      return false;
    }
    layout.width = static_cast<std::uint64_t>(width);
    layout.topDown = height < 0;
    layout.height = static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
    planes = in.U16(h + 12);
    layout.bitsPerPixel = in.U16(h + 14);
    if (in.U32(h + 16) != kUncompressed) return false;
    colourCount = in.U32(h + 32);
  }
  if (planes != 1 || layout.width == 0 || layout.height == 0) return false;
  const unsigned bpp = layout.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (layout.width * layout.height > kMaxPixels) return false;

  if (bpp <= 8) {
    const std::uint32_t fullPalette = 1u << bpp;
    if (colourCount == 0) colourCount = fullPalette;
    if (colourCount > fullPalette) return false;
    // The palette lies between the header and the pixel data.
    if (colourCount * paletteEntrySize > dataOffset - headerEnd) return false;
    layout.palette.reserve(colourCount);
    for (std::uint32_t i = 0; i < colourCount; ++i) {
      const std::size_t at = headerEnd + i * paletteEntrySize;
      layout.palette.push_back(Opaque(in.Byte(at + 2), in.Byte(at + 1), in.Byte(at)));
    }
  }

  // Rows are padded to whole 32-bit words; the last row's padding may be missing.
  const std::uint64_t rowBits = layout.width * bpp;
  layout.stride = (rowBits + 31) / 32 * 4;
  const std::uint64_t lastRow = (rowBits + 7) / 8;
  const std::uint64_t available = size - dataOffset;
  if (lastRow > available || (layout.height - 1) > (available - lastRow) / layout.stride) {
    return false;
  }
  layout.dataOffset = dataOffset;
  return true;
}

}  // namespace

std::unique_ptr<CTBitmap> DecodeBitmap(std::string_view bytes) {
  LTLayout layout;
  if (!ReadLayout(bytes, layout)) return nullptr;

  auto bitmap = std::make_unique<CTBitmap>();
  bitmap->width = static_cast<int>(layout.width);
  bitmap->height = static_cast<int>(layout.height);
  bitmap->pixels.resize(layout.width * layout.height);
  const CTLittleEndian in(bytes);
  const std::vector<std::uint32_t>& palette = layout.palette;
  std::uint32_t* out = bitmap->pixels.data();
  for (std::uint64_t y = 0; y < layout.height; ++y) {
    const std::uint64_t storedRow = layout.topDown ? y : layout.height - 1 - y;
    const std::size_t row = layout.dataOffset + storedRow * layout.stride;
    for (std::size_t x = 0; x < layout.width; ++x) {
      std::uint32_t index = 0;
      switch (layout.bitsPerPixel) {
        case 1:
          index = in.Byte(row + x / 8) >> (7 - x % 8) & 1;
          break;
        case 4:
          index = in.Byte(row + x / 2) >> (x % 2 == 0 ? 4 : 0) & 15;
          break;
        case 8:
          index = in.Byte(row + x);
          break;
        case 16: {
          const std::uint32_t v = in.U16(row + 2 * x);
          *out++ = Opaque(Widen5(v >> 10 & 31), Widen5(v >> 5 & 31), Widen5(v & 31));
          continue;
        }
        case 24:
          *out++ = Opaque(in.Byte(row + 3 * x + 2), in.Byte(row + 3 * x + 1), in.Byte(row + 3 * x));
          continue;
        default:  // 32: blue, green, red and an unused byte
          *out++ = Opaque(in.Byte(row + 4 * x + 2), in.Byte(row + 4 * x + 1), in.Byte(row + 4 * x));
          continue;
      }
      if (index >= palette.size()) return nullptr;
      *out++ = palette[index];
    }
  }
  return bitmap;
}

#include "BitmapFile.h"

#include <array>
#include <cstddef>

namespace {

constexpr int kSteps = CTPictureCanvas::kSamples * CTPictureCanvas::kSamples;  // 16
constexpr int kBlends = kSteps - 1;  // blends between two colours, both ends excluded

constexpr std::array<std::uint32_t, kColourCount> kColours = {
    0xFFFFFF,  // paper
    0x3A3F47,  // ink: dark grey
    0xF2F4F7,  // front
    0xE1E6EC,  // top
    0xC4CCD6,  // shade
    0x2F78C4,  // accent: blue
};

// The first palette entry of the blends from colour a to colour b (a < b).
int BlendBase(int a, int b) {
  int pair = 0;
  for (int i = 0; i < a; ++i) pair += kColourCount - 1 - i;
  pair += b - a - 1;
  return kColourCount + pair * kBlends;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int samplesOfB) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int ca = static_cast<int>(a >> shift & 0xFF);
    const int cb = static_cast<int>(b >> shift & 0xFF);
    const int c = (ca * (kSteps - samplesOfB) + cb * samplesOfB + kSteps / 2) / kSteps;
    out |= static_cast<std::uint32_t>(c) << shift;
  }
  return out;
}

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint32_t> BitmapPalette() {
  std::vector<std::uint32_t> palette(kColours.begin(), kColours.end());
  for (int a = 0; a < kColourCount; ++a) {
    for (int b = a + 1; b < kColourCount; ++b) {
      for (int step = 1; step <= kBlends; ++step)
        palette.push_back(Mix(kColours[a], kColours[b], step));
    }
  }
  return palette;
}

std::uint8_t PaletteIndex(const CTPictureCanvas::LTPixel& pixel) {
  if (pixel.otherSamples == 0) return pixel.main;
  const int a = pixel.main < pixel.other ? pixel.main : pixel.other;
  const int b = pixel.main < pixel.other ? pixel.other : pixel.main;
  // Step s of the blend a -> b holds s samples of b.
  const int samplesOfB = pixel.main == b ? kSteps - pixel.otherSamples : pixel.otherSamples;
  return static_cast<std::uint8_t>(BlendBase(a, b) + samplesOfB - 1);
}

std::string EncodeBitmapFile(const CTPictureCanvas& canvas) {
  const std::vector<std::uint32_t> palette = BitmapPalette();
  const auto width = static_cast<std::uint32_t>(canvas.Width());
  const auto height = static_cast<std::uint32_t>(canvas.Height());
  const std::uint32_t stride = (width + 3) / 4 * 4;
  const std::uint32_t headers = 14 + 40;
  const auto dataOffset = static_cast<std::uint32_t>(headers + 4 * palette.size());
  const std::uint32_t imageSize = stride * height;

  std::string out = "BM";
  Put32(out, dataOffset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, dataOffset);
  Put32(out, 40);  // information header
  Put32(out, width);
  Put32(out, height);  // positive: rows bottom-up
  Put16(out, 1);       // planes
  Put16(out, 8);       // bits per pixel
  Put32(out, 0);       // uncompressed
  Put32(out, imageSize);
  Put32(out, 3780);  // 96 dots per inch, as pixels per metre
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(palette.size()));
  Put32(out, 0);                                                  // all colours are important
  for (const std::uint32_t colour : palette) Put32(out, colour);  // blue, green, red, 0

  const std::vector<CTPictureCanvas::LTPixel> pixels = canvas.Pixels();
  for (std::uint32_t row = height; row-- > 0;) {
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(
          static_cast<char>(PaletteIndex(pixels[static_cast<std::size_t>(row) * width + x])));
    }
    out.append(stride - width, '\0');
  }
  return out;
}

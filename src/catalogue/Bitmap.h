#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// A decoded picture: width × height pixels, rows from the top down, each pixel 0xAARRGGBB.
// Pictures decoded from bitmaps without alpha are opaque (alpha 0xFF).
struct CTBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t Pixel(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Decodes a Windows bitmap file image (BMP, beginning with its "BM" file header). Handles
// uncompressed pictures of 1, 4 and 8 bits per pixel (palette), 16 bits (5-5-5), 24 and 32 bits,
// stored bottom-up or top-down, with the core, info and the later (V2..V5) information headers.
// Anything else - compressed or bit-field pictures, a wrong magic, headers, palette or pixel data
// that the bytes do not hold, a palette index past the palette - gives nullptr. Nothing is
// allocated beyond what the bytes at hand can fill.
std::unique_ptr<CTBitmap> DecodeBitmap(std::string_view bytes);

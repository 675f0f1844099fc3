#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PictureCanvas.h"

// The palette of the device pictures: the picture colours themselves, then for every pair of them
// the blends in steps of one sample (1/16) from one to the other.
std::vector<std::uint32_t> BitmapPalette();  // 0x00RRGGBB

// The palette entry of a pixel of the canvas.
std::uint8_t PaletteIndex(const CTPictureCanvas::LTPixel& pixel);

// The canvas as a Windows bitmap file: information header, 8 bits per pixel with the palette
// above, uncompressed, rows bottom-up.
std::string EncodeBitmapFile(const CTPictureCanvas& canvas);

// An 8-bit BMP held in memory: its palette and its pixels, rows top-down without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lockdown/platform/Palette.h"

namespace lockdown {

struct Bitmap {
  int width = 0, height = 0;  // height is always positive here
  int bitsPerPixel = 0;
  platform::PaletteTable palette{};
  std::vector<uint8_t> pixels;

  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads an uncompressed 8-bit BMP; any other file logs why and returns false, leaving
// the bitmap empty.
bool LoadBitmapFile(Bitmap& bitmap, const char* name);
void UnloadBitmapFile(Bitmap& bitmap);
// Turns bottom-up rows top-down in place.
void FlipBitmap(uint8_t* pixels, int bytesPerRow, int rows);

}  // namespace lockdown

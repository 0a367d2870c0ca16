#include "lockdown/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "lockdown/Log.h"

namespace lockdown {
namespace {

uint32_t Read32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}
uint16_t Read16(const std::vector<uint8_t>& d, size_t at) {
  return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kMinInfoHeaderSize = 40;
// No sheet of this game comes near; larger sizes are taken for damage.
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

bool Fail(Bitmap& bitmap, const std::string& message) {
  UnloadBitmapFile(bitmap);
  LogMessage(message);
  return false;
}

}  // namespace

bool LoadBitmapFile(Bitmap& bitmap, const char* name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 2 || data[0] != 'B' || data[1] != 'M') return false;
  if (data.size() < kFileHeaderSize + kMinInfoHeaderSize)
    return Fail(bitmap, Format("Error: bitmap %s is too short for its headers: %zu bytes", name,
                               data.size()));

  uint32_t pixelOffset = Read32(data, 10);
  uint32_t infoSize = Read32(data, 14);
  if (infoSize < kMinInfoHeaderSize || kFileHeaderSize + infoSize > data.size())
    return Fail(bitmap, Format("Error: bitmap %s has a bad info header size: %u", name, infoSize));
  int32_t width = static_cast<int32_t>(Read32(data, 18));
  int32_t height = static_cast<int32_t>(Read32(data, 22));
  uint16_t bitCount = Read16(data, 28);
  uint32_t compression = Read32(data, 30);
  uint32_t coloursUsed = Read32(data, 46);
  if (bitCount != 8)
    return Fail(bitmap, Format("Error: bitmap %s is not 8 bits per pixel: %u", name, bitCount));
  if (compression != 0)
    return Fail(bitmap, Format("Error: bitmap %s is compressed: %u", name, compression));
  int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  if (width <= 0 || rows == 0 || static_cast<int64_t>(width) * rows > kMaxPixels)
    return Fail(bitmap, Format("Error: bitmap %s has a bad size: %d by %d", name, width, height));

  // The palette follows the info header, whatever that header's size.
  size_t paletteAt = kFileHeaderSize + infoSize;
  size_t colours = coloursUsed == 0 || coloursUsed > 256 ? 256 : coloursUsed;
  if (paletteAt + colours * 4 > data.size())
    return Fail(bitmap, Format("Error: bitmap %s ends inside its palette", name));
  bitmap.palette = platform::PaletteTable{};
  for (size_t i = 0; i < colours; ++i) {
    const uint8_t* bgr = &data[paletteAt + i * 4];
    bitmap.palette[i] = platform::PaletteEntry{bgr[2], bgr[1], bgr[0], 4};
  }

  size_t rowBytes = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
  size_t start = pixelOffset != 0 ? pixelOffset : paletteAt + colours * 4;
  size_t needed = rowBytes * (rows - 1) + width;
  if (start > data.size() || data.size() - start < needed)
    return Fail(bitmap, Format("Error: bitmap %s ends inside its pixels: %zu bytes of %zu", name,
                               start > data.size() ? size_t{0} : data.size() - start, needed));

  bitmap.width = width;
  bitmap.height = static_cast<int>(rows);
  bitmap.bitsPerPixel = 8;
  bitmap.pixels.assign(static_cast<size_t>(width) * rows, 0);
  for (int64_t r = 0; r < rows; ++r)
    std::memcpy(&bitmap.pixels[r * width], &data[start + r * rowBytes], width);
  // A positive height stores the bottom row first.
  if (height > 0) FlipBitmap(bitmap.pixels.data(), width, bitmap.height);
  return true;
}

void UnloadBitmapFile(Bitmap& bitmap) {
  bitmap.pixels.clear();
  bitmap.pixels.shrink_to_fit();
  bitmap.width = bitmap.height = bitmap.bitsPerPixel = 0;
}

void FlipBitmap(uint8_t* pixels, int bytesPerRow, int rows) {
  if (!pixels || bytesPerRow <= 0) return;
  for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(pixels + static_cast<size_t>(top) * bytesPerRow,
                     pixels + static_cast<size_t>(top + 1) * bytesPerRow,
                     pixels + static_cast<size_t>(bottom) * bytesPerRow);
}

}  // namespace lockdown

// An 8-bit software surface: the back buffer and every sprite frame are one of these.
// All drawing is done by the program's own code; every operation clips to the surface's
// clip rectangle so nothing ever writes outside the pixel buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lockdown::platform {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, int colourKey = -1);

  int Width() const { return width; }
  int Height() const { return height; }
  int Pitch() const { return width; }
  uint8_t* Pixels() { return pixels.data(); }
  const uint8_t* Pixels() const { return pixels.data(); }
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  // -1 means no colour key: every source pixel is copied.
  int ColourKey() const { return colourKey; }
  void SetColourKey(int key) { colourKey = key; }

  // The clip rectangle always lies inside the surface.
  void SetClip(const PixelRect& r);
  const PixelRect& Clip() const { return clip; }

  // Locks count so that flips can refuse to run while someone draws into memory.
  uint8_t* Lock() {
    ++lockCount;
    return pixels.data();
  }
  void Unlock() {
    if (lockCount > 0) --lockCount;
  }
  bool IsLocked() const { return lockCount > 0; }

  // Fills the rectangle (null: the whole surface), clipped.
  void Fill(int colour, const PixelRect* r = nullptr);
  // Copies the source to (x, y), skipping the source's colour key, clipped to this
  // surface's clip rectangle.
  void Blit(const Surface& source, int x, int y);

 private:
  int width = 0, height = 0;
  int colourKey = -1;
  int lockCount = 0;
  PixelRect clip;
  std::vector<uint8_t> pixels;
};

}  // namespace lockdown::platform

#include "lockdown/platform/Surface.h"

#include <algorithm>
#include <cstring>

namespace lockdown::platform {

Surface::Surface(int w, int h, int key)
    : width(std::max(0, w)),
      height(std::max(0, h)),
      colourKey(key),
      clip{0, 0, width, height},
      pixels(static_cast<size_t>(width) * height, 0) {}

void Surface::SetClip(const PixelRect& r) {
  clip.left = std::clamp(r.left, 0, width);
  clip.top = std::clamp(r.top, 0, height);
  clip.right = std::clamp(r.right, clip.left, width);
  clip.bottom = std::clamp(r.bottom, clip.top, height);
}

void Surface::Fill(int colour, const PixelRect* r) {
  PixelRect area = r ? *r : PixelRect{0, 0, width, height};
  int left = std::max(area.left, clip.left), right = std::min(area.right, clip.right);
  int top = std::max(area.top, clip.top), bottom = std::min(area.bottom, clip.bottom);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y)
    std::memset(&pixels[static_cast<size_t>(y) * width + left], colour & 0xFF, right - left);
}

void Surface::Blit(const Surface& source, int x, int y) {
  int left = std::max(x, clip.left), right = std::min(x + source.width, clip.right);
  int top = std::max(y, clip.top), bottom = std::min(y + source.height, clip.bottom);
  if (left >= right || top >= bottom) return;
  int key = source.colourKey;
  for (int row = top; row < bottom; ++row) {
    const uint8_t* from = &source.pixels[static_cast<size_t>(row - y) * source.width + (left - x)];
    uint8_t* to = &pixels[static_cast<size_t>(row) * width + left];
    if (key < 0) {
      std::memcpy(to, from, right - left);
      continue;
    }
    for (int i = 0; i < right - left; ++i)
      if (from[i] != key) to[i] = from[i];
  }
}

}  // namespace lockdown::platform

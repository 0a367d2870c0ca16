// Sprites cut from the sprite sheet: a run of equally sized frames, optionally with
// mirrored copies, and recoloured copies of the whole set (colour schemes).
#pragma once

#include <cstdint>
#include <vector>

#include "lockdown/Bitmap.h"
#include "lockdown/CheckedVector.h"
#include "lockdown/Screen.h"

namespace lockdown {

// The sprite sheet while the graphics are being cut.
extern Bitmap sheet;

constexpr int kColourKey = 2;

struct SpriteInfo {
  bool bReflections = true;
  std::vector<int> customReflections;
  int sheetX = 1, sheetY = 1;
  int width = 100, height = 100;
  int perRow = 1, rows = 1;
  int frames = 1;
};

class Sprite {
 public:
  Sprite() = default;
  Sprite(const Sprite&) = default;
  Sprite& operator=(const Sprite&) = default;
  virtual ~Sprite() = default;

  bool Init(int width, int height, int sheetX, int sheetY, int frames, int perRow, int rows,
            bool bReflections, const std::vector<int>* customReflections);
  bool InitFrom(const SpriteInfo& info);
  virtual void Draw();
  void NewColorScheme(const std::vector<int>& from, const std::vector<int>& to);
  // Frees the frames: the sprite is empty again.
  void Release();

  int Width() const { return stores.empty() ? 0 : stores[0].width; }
  int Height() const { return stores.empty() ? 0 : stores[0].height; }
  int SchemeCount() const { return schemeCount; }
  // The palette index at (px, py) of a frame of a scheme, -1 outside.
  int PixelOf(int scheme, int frameIndex, int px, int py) const;

  int x = 0, y = 0;
  int frame = 0;
  int frameCount = 0;
  float angle = 0;
  std::vector<std::vector<uint8_t>> ownedBuffers;
  int colorScheme = 0;
  int schemeCount = 0;
  std::vector<SurfaceSprite> stores;

 protected:
  // Runs after a colour scheme was added (layered sprites recolour their layers).
  virtual void OnNewColorScheme(const std::vector<int>&, const std::vector<int>&) {}

 private:
  void CutCell(int frameIndex, int cell, int perRow, int rows, int sheetX, int sheetY);
  void Mirror(int to, int from);
  void DrawRotated(SurfaceSprite& store);
  bool bWarnedEmpty = false;
};

// A count of sprites with checked access.
class SpriteArray {
 public:
  explicit SpriteArray(int n = 0) : sprites(n) {}
  int Count() const { return sprites.Count(); }
  Sprite& At(int i) { return sprites.At(i); }
  void Resize(int n) { sprites.Resize(n); }

 private:
  CheckedVector<Sprite> sprites;
};

}  // namespace lockdown

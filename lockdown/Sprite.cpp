#include "lockdown/Sprite.h"

#include <cstring>

#include "lockdown/Log.h"

namespace lockdown {

Bitmap sheet;

bool Sprite::Init(int width, int height, int sheetX, int sheetY, int frames, int perRow, int rows,
                  bool bReflections, const std::vector<int>* customReflections) {
  if (customReflections && !bReflections) {
    LogMessage("bReflections is false, but customReflections is not null");
    return false;
  }
  int count = bReflections ? frames * 2 : frames;
  if (frames <= 0 || perRow <= 0 || rows <= 0 || width <= 0 || height <= 0 ||
      (customReflections && static_cast<int>(customReflections->size()) != count)) {
    LogMessage(
        Format("Error: bad sprite cutting: %d by %d at (%d, %d), %d frames, %d per row, %d rows",
               width, height, sheetX, sheetY, frames, perRow, rows));
    return false;
  }
  stores.resize(1);
  ownedBuffers.clear();
  schemeCount = 0;
  frameCount = 0;
  if (!CreateSurfaceSprite(stores[0], 0, 0, width, height, count, 0, 0, kColourKey)) {
    stores.clear();
    return false;
  }
  frameCount = count;
  schemeCount = 1;
  if (customReflections) {
    int cell = 0;
    for (int i = 0; i < count; ++i)
      if ((*customReflections)[i] == -1) CutCell(i, cell++, perRow, rows, sheetX, sheetY);
    for (int i = 0; i < count; ++i) {
      int from = (*customReflections)[i];
      if (from == -1) continue;
      if (from < 0 || from >= count)
        LogMessage(Format("Error: reflection of frame %d names frame %d", i, from));
      else
        Mirror(i, from);
    }
  } else {
    for (int i = 0; i < frames; ++i) CutCell(i, i, perRow, rows, sheetX, sheetY);
    if (bReflections)
      for (int i = count / 2; i < count; ++i) Mirror(i, i - count / 2);
  }
  for (Surface& surface : stores[0].frames)
    ownedBuffers.emplace_back(surface.Pixels(),
                              surface.Pixels() + surface.Pitch() * surface.Height());
  return true;
}

void Sprite::CutCell(int frameIndex, int cell, int perRow, int rows, int sheetX, int sheetY) {
  SurfaceSprite& store = stores[0];
  int row = cell / perRow, column = cell % perRow;
  int cx = sheetX + column * (store.width + 1), cy = sheetY + row * (store.height + 1);
  if (row >= rows || cx < 0 || cy < 0 || cx + store.width > sheet.width ||
      cy + store.height > sheet.height) {
    LogMessage(Format("Error: sprite cell outside the sheet: %d by %d at (%d, %d)", store.width,
                      store.height, cx, cy));
    return;
  }
  Surface& surface = store.frames[frameIndex];
  uint8_t* to = surface.Lock();
  for (int y = 0; y < store.height; ++y)
    std::memcpy(to + y * surface.Pitch(),
                &sheet.pixels[static_cast<size_t>(cy + y) * sheet.width + cx], store.width);
  surface.Unlock();
}

void Sprite::Mirror(int to, int from) {
  SurfaceSprite& store = stores[0];
  const Surface& source = store.frames[from];
  Surface& target = store.frames[to];
  for (int y = 0; y < store.height; ++y)
    for (int x = 0; x < store.width; ++x)
      target.Pixels()[y * target.Pitch() + x] = source.At(store.width - 1 - x, y);
}

bool Sprite::InitFrom(const SpriteInfo& info) {
  if (!info.customReflections.empty() && !info.bReflections) {
    LogMessage("bReflections is false, but customReflections is not empty");
    return false;
  }
  return Init(info.width, info.height, info.sheetX, info.sheetY, info.frames, info.perRow,
              info.rows, info.bReflections,
              info.customReflections.empty() ? nullptr : &info.customReflections);
}

void Sprite::Draw() {
  if (schemeCount == 0 || stores.empty()) {
    if (!bWarnedEmpty) LogMessage("Error: a sprite without frames was drawn");
    bWarnedEmpty = true;
    return;
  }
  if (colorScheme < 0 || colorScheme >= schemeCount) {
    LogMessage(Format("Invalid color scheme: %d", colorScheme));
    IllegalVectorIndex(colorScheme, schemeCount);
  }
  SurfaceSprite& store = stores[colorScheme];
  store.x = x;
  store.y = y;
  store.currentFrame = frame;
  if (colorScheme == 0 && static_cast<int>(angle) % 360 != 0 && frame >= 0 && frame < frameCount)
    DrawRotated(store);
  else
    DrawSurfaceSprite(&store, backBuffer);
}

void Sprite::DrawRotated(SurfaceSprite& store) {
  // Turned into a scratch frame, so the kept frame never changes.
  const std::vector<uint8_t>& pixels = ownedBuffers[frame];
  const Surface& original = store.frames[frame];
  Surface turned(original.Width(), original.Height(), kColourKey);
  turned.Fill(kColourKey);
  int degrees = static_cast<int>(angle);
  double c = CosOf(degrees), s = SinOf(degrees);
  int cx = store.width / 2, cy = store.height / 2;
  for (int py = 0; py < store.height; ++py)
    for (int px = 0; px < store.width; ++px) {
      uint8_t value = pixels[static_cast<size_t>(py) * original.Pitch() + px];
      if (value == kColourKey) continue;
      int rx = px - cx, ry = py - cy;
      int nx = static_cast<int>(rx * c - ry * s) + cx, ny = static_cast<int>(rx * s + ry * c) + cy;
      if (nx < 0 || ny < 0 || nx >= store.width || ny >= store.height) continue;
      turned.Pixels()[ny * turned.Pitch() + nx] = value;
    }
  if (backBuffer) backBuffer->Blit(turned, store.x, store.y);
}

void Sprite::NewColorScheme(const std::vector<int>& from, const std::vector<int>& to) {
  if (stores.empty()) {
    LogMessage("newColorScheme has been called before sprite has been initialized");
    return;
  }
  if (from.size() != to.size()) {
    LogMessage("newColorScheme called with vectors of inequal length");
    return;
  }
  SurfaceSprite scheme = stores[0];
  for (Surface& surface : scheme.frames) {
    uint8_t* p = surface.Pixels();
    for (int i = 0; i < surface.Pitch() * surface.Height(); ++i)
      for (size_t k = 0; k < from.size(); ++k)
        if (p[i] == from[k]) p[i] = static_cast<uint8_t>(to[k]);
  }
  stores.push_back(scheme);
  ++schemeCount;
  OnNewColorScheme(from, to);
}

void Sprite::Release() {
  stores.clear();
  ownedBuffers.clear();
  schemeCount = 0;
  frameCount = 0;
}

int Sprite::PixelOf(int scheme, int frameIndex, int px, int py) const {
  if (scheme < 0 || scheme >= static_cast<int>(stores.size())) return -1;
  const SurfaceSprite& store = stores[scheme];
  if (frameIndex < 0 || frameIndex >= static_cast<int>(store.frames.size())) return -1;
  if (px < 0 || py < 0 || px >= store.width || py >= store.height) return -1;
  return store.frames[frameIndex].At(px, py);
}

}  // namespace lockdown

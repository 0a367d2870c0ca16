#include "lockdown/Screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "lockdown/Log.h"
#include "lockdown/platform/BitmapFont.h"

namespace lockdown {

int screenWidth = 800, screenHeight = 600, screenBpp = 8;
bool bWindowed = false;
Surface* backBuffer = nullptr;
ClipRect clipRect;
PaletteTable paletteTable{};
uint8_t* lockedBuffer = nullptr;
int lockedPitch = 0;
uint32_t frameClock = 0;
platform::MouseState mouseState;
double sinTable[360], cosTable[360];

namespace {
std::unique_ptr<Surface> ownedBackBuffer;

int Wrap360(int degrees) {
  degrees %= 360;
  return degrees < 0 ? degrees + 360 : degrees;
}
}  // namespace

double SinOf(int degrees) { return sinTable[Wrap360(degrees)]; }
double CosOf(int degrees) { return cosTable[Wrap360(degrees)]; }

void BuildTrigTables() {
  for (int i = 0; i < 360; ++i) {
    double radians = i * 3.1415926535 / 180.0;
    sinTable[i] = std::sin(radians);
    cosTable[i] = std::cos(radians);
  }
}

bool DDrawInit(int width, int height, int bpp, bool bWindowedMode) {
  if (width <= 0 || height <= 0 || bpp != 8) return false;
  screenWidth = width;
  screenHeight = height;
  screenBpp = bpp;
  bWindowed = bWindowedMode;
  ownedBackBuffer = std::make_unique<Surface>(width, height);
  backBuffer = ownedBackBuffer.get();
  paletteTable = PaletteTable{};
  LoadPaletteFile("PALDATA2.PAL", paletteTable);
  if (bWindowed) {
    // The system keeps its reserved colours in a window.
    for (int i = 0; i < 10; ++i) paletteTable[i].flags = 2;
    for (int i = 246; i < 256; ++i) paletteTable[i].flags = 2;
  }
  clipRect = ClipRect{0, 0, width - 1, height - 1};
  backBuffer->SetClip(PixelRect{0, 0, width, height});
  backBuffer->Fill(0);
  return true;
}

void DDrawShutdown() {
  lockedBuffer = nullptr;
  backBuffer = nullptr;
  ownedBackBuffer.reset();
}

bool CreateSurfaceSprite(SurfaceSprite& sprite, int x, int y, int width, int height, int frameCount,
                         int attributes, int /*memoryFlags*/, int colourKey) {
  sprite.frames.clear();
  sprite.frameCount = 0;
  if (width <= 0 || height <= 0 || frameCount < 0 || frameCount > kMaxSurfaceFrames) {
    LogMessage("Could not create surface");
    return false;
  }
  sprite.x = x;
  sprite.y = y;
  sprite.width = width;
  sprite.height = height;
  sprite.padding = width % 8 == 0 ? 0 : 8 - width % 8;
  sprite.attributes = attributes;
  sprite.currentFrame = 0;
  sprite.frameCount = frameCount;
  sprite.frames.reserve(frameCount);
  for (int i = 0; i < frameCount; ++i) {
    sprite.frames.emplace_back(width + sprite.padding, height, colourKey);
    // The padding columns are never shown.
    sprite.frames.back().Fill(colourKey < 0 ? 0 : colourKey);
  }
  return true;
}

int DrawSurfaceSprite(SurfaceSprite* sprite, Surface* target) {
  if (!sprite || !target || sprite->currentFrame < 0 ||
      sprite->currentFrame >= static_cast<int>(sprite->frames.size()))
    return -2;
  target->Blit(sprite->frames[sprite->currentFrame], sprite->x, sprite->y);
  return 0;
}

bool FlipScreen() {
  if (!backBuffer || backBuffer->IsLocked()) return false;
  platform::CurrentBackend().Present(*backBuffer, paletteTable);
  return true;
}

void FillSurface(Surface* surface, int colour, const PixelRect* rect) {
  if (surface) surface->Fill(colour, rect);
}

void FillRectOnSurface(int left, int top, int right, int bottom, int colour, Surface* surface) {
  PixelRect r{left, top, right, bottom};
  FillSurface(surface, colour, &r);
}

void LockBackBuffer() {
  if (lockedBuffer || !backBuffer) return;
  lockedBuffer = backBuffer->Lock();
  lockedPitch = backBuffer->Pitch();
}

void UnlockBackBuffer() {
  if (!lockedBuffer || !backBuffer) return;
  backBuffer->Unlock();
  lockedBuffer = nullptr;
}

uint32_t StartClock() {
  frameClock = platform::GetTickCount();
  return frameClock;
}

void PlotPixel(int x, int y, int colour, uint8_t* buffer, int pitch) {
  if (!buffer || x < clipRect.minX || x > clipRect.maxX || y < clipRect.minY || y > clipRect.maxY)
    return;
  buffer[static_cast<long>(y) * pitch + x] = static_cast<uint8_t>(colour);
}

namespace {

int RegionCode(int x, int y) {
  int code = 0;
  if (y < clipRect.minY)
    code |= 8;
  else if (y > clipRect.maxY)
    code |= 4;
  if (x < clipRect.minX)
    code |= 1;
  else if (x > clipRect.maxX)
    code |= 2;
  return code;
}

// Moves (x, y), outside by `code`, to the clip edge along the line to (ox, oy).
void ClipEnd(int& x, int& y, int code, int ox, int oy) {
  double nx = x, ny = y;
  if (code & (8 | 4)) {
    ny = (code & 8) ? clipRect.minY : clipRect.maxY;
    nx = x + (static_cast<double>(ox) - x) * (ny - y) / (static_cast<double>(oy) - y);
  }
  bool bStillOutsideX = nx < clipRect.minX || nx > clipRect.maxX;
  if ((code & (1 | 2)) && (!(code & (8 | 4)) || bStillOutsideX)) {
    nx = (code & 1) ? clipRect.minX : clipRect.maxX;
    ny = y + (static_cast<double>(oy) - y) * (nx - x) / (static_cast<double>(ox) - x);
  }
  x = static_cast<int>(nx);
  y = static_cast<int>(ny);
}

}  // namespace

void DrawLine8(int x0, int y0, int x1, int y1, int colour, uint8_t* buffer, int pitch) {
  if (!buffer) return;
  int code0 = RegionCode(x0, y0), code1 = RegionCode(x1, y1);
  if (code0 & code1) return;
  if (code0 || code1) {
    int ox0 = x0, oy0 = y0;
    if (code0) ClipEnd(x0, y0, code0, x1, y1);
    if (code1) ClipEnd(x1, y1, code1, ox0, oy0);
    if (RegionCode(x0, y0) || RegionCode(x1, y1)) return;
  }
  int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  int stepX = x1 >= x0 ? 1 : -1, stepY = y1 >= y0 ? 1 : -1;
  uint8_t value = static_cast<uint8_t>(colour);
  int x = x0, y = y0;
  if (dx >= dy) {
    int error = 2 * dy - dx;
    for (int i = 0; i <= dx; ++i) {
      buffer[static_cast<long>(y) * pitch + x] = value;
      if (error >= 0) {
        y += stepY;
        error -= 2 * dx;
      }
      error += 2 * dy;
      x += stepX;
    }
  } else {
    int error = 2 * dx - dy;
    for (int i = 0; i <= dy; ++i) {
      buffer[static_cast<long>(y) * pitch + x] = value;
      if (error >= 0) {
        x += stepX;
        error -= 2 * dy;
      }
      error += 2 * dx;
      y += stepY;
    }
  }
}

void DrawHLine(int x0, int x1, int y, int colour, uint8_t* buffer, int pitch) {
  if (!buffer || y < clipRect.minY || y > clipRect.maxY) return;
  if (x0 > x1) std::swap(x0, x1);
  if (x1 < clipRect.minX || x0 > clipRect.maxX) return;
  x0 = std::max(x0, clipRect.minX);
  x1 = std::min(x1, clipRect.maxX);
  std::fill(buffer + static_cast<long>(y) * pitch + x0,
            buffer + static_cast<long>(y) * pitch + x1 + 1, static_cast<uint8_t>(colour));
}

void DrawVLine(int y0, int y1, int x, int colour, uint8_t* buffer, int pitch) {
  if (!buffer || x < clipRect.minX || x > clipRect.maxX) return;
  if (y0 > y1) std::swap(y0, y1);
  if (y1 < clipRect.minY || y0 > clipRect.maxY) return;
  y0 = std::max(y0, clipRect.minY);
  y1 = std::min(y1, clipRect.maxY);
  for (int y = y0; y <= y1; ++y)
    buffer[static_cast<long>(y) * pitch + x] = static_cast<uint8_t>(colour);
}

void RotatePolygon(VertexPolygon& polygon, int degrees) {
  double c = CosOf(degrees), s = SinOf(degrees);
  for (PolygonPoint& p : polygon.vertices) {
    double x = p.x, y = p.y;
    p.x = static_cast<float>(x * c - y * s);
    p.y = static_cast<float>(x * s + y * c);
  }
}

void DrawPolygon8(const VertexPolygon& polygon, uint8_t* buffer, int pitch) {
  if (polygon.state == 0 || polygon.vertices.empty()) return;
  size_t n = polygon.vertices.size();
  for (size_t i = 0; i < n; ++i) {
    const PolygonPoint& a = polygon.vertices[i];
    const PolygonPoint& b = polygon.vertices[(i + 1) % n];
    DrawLine8(polygon.x0 + static_cast<int>(a.x), polygon.y0 + static_cast<int>(a.y),
              polygon.x0 + static_cast<int>(b.x), polygon.y0 + static_cast<int>(b.y),
              polygon.colour, buffer, pitch);
  }
}

void FillPolygon8(const VertexPolygon& polygon, uint8_t* buffer, int pitch) {
  if (!buffer || polygon.state == 0 || polygon.vertices.size() < 3) return;
  size_t n = polygon.vertices.size();
  std::vector<double> xs(n), ys(n);
  double top = 1e9, bottom = -1e9;
  for (size_t i = 0; i < n; ++i) {
    xs[i] = polygon.x0 + static_cast<int>(polygon.vertices[i].x);
    ys[i] = polygon.y0 + static_cast<int>(polygon.vertices[i].y);
    top = std::min(top, ys[i]);
    bottom = std::max(bottom, ys[i]);
  }
  if (bottom < clipRect.minY || top > clipRect.maxY) return;
  int firstRow = std::max(static_cast<int>(top), clipRect.minY);
  int lastRow = std::min(static_cast<int>(bottom), clipRect.maxY);
  std::vector<double> crossings;
  for (int y = firstRow; y <= lastRow; ++y) {
    // Sample each row at its middle so that shared vertices count once.
    double sy = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < n; ++i) {
      size_t j = (i + 1) % n;
      double ya = ys[i], yb = ys[j];
      if ((ya <= sy && sy < yb) || (yb <= sy && sy < ya))
        crossings.push_back(xs[i] + (sy - ya) * (xs[j] - xs[i]) / (yb - ya));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
      double from = std::ceil(crossings[k] - 0.5), to = std::floor(crossings[k + 1] - 0.5);
      if (to < from) continue;
      if (to < clipRect.minX || from > clipRect.maxX) continue;
      DrawHLine(static_cast<int>(std::max<double>(from, clipRect.minX)),
                static_cast<int>(std::min<double>(to, clipRect.maxX)), y, polygon.colour, buffer,
                pitch);
    }
  }
}

bool LoadPaletteFile(const char* name, PaletteTable& table) {
  FILE* file = std::fopen(name, "r");
  if (!file) return false;
  int entries = 0;
  for (; entries < 256; ++entries) {
    int values[4];
    if (std::fscanf(file, "%d %d %d %d", &values[0], &values[1], &values[2], &values[3]) != 4)
      break;
    for (int& v : values) v = std::clamp(v, 0, 255);
    table[entries] = PaletteEntry{static_cast<uint8_t>(values[0]), static_cast<uint8_t>(values[1]),
                                  static_cast<uint8_t>(values[2]), static_cast<uint8_t>(values[3])};
  }
  std::fclose(file);
  if (entries < 256)
    LogMessage(Format("Error: palette file %s has only %d complete entries", name, entries));
  return entries > 0;
}

void SetPalette(const PaletteTable& table) { paletteTable = table; }

void DrawTextGdi(const char* text, int x, int y, int colour, Surface* surface) {
  if (!text || !surface) return;
  platform::DrawBitmapText(*surface, x, y, text, colour);
}

void ReadMouse() { mouseState = platform::CurrentBackend().ReadMouse(); }

}  // namespace lockdown
